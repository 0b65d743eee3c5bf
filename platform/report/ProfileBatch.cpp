#include "ProfileBatch.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "ProfileText.h"

namespace rt {

namespace {

thread_local ProfileBatch* t_openBatch = nullptr;

[[noreturn]] void secondBatchOpened() {
    std::fputs("keldwick: internal error: a second report was opened on a thread that has one open\n",
               stderr);
    std::abort();
}

}  // namespace

ProfileBatch::~ProfileBatch() {
    close();
}

void ProfileBatch::open(std::string path) {
    if (t_openBatch != nullptr && t_openBatch != this) {
        secondBatchOpened();
    }
    t_openBatch = this;
    m_open = true;
    m_path = std::move(path);
    m_text.clear();
}

void ProfileBatch::close() {
    if (m_open) {
        t_openBatch = nullptr;
        m_open = false;
    }
}

ProfileBatch* ProfileBatch::openFor(std::string_view path) {
    return t_openBatch != nullptr && t_openBatch->m_path == path ? t_openBatch : nullptr;
}

Result<void, std::error_code> ProfileBatch::put(std::string_view section, std::string_view entry,
                                                std::string_view value) {
    if (!isValidSectionName(section) || !isValidEntryName(entry)) {
        return std::make_error_code(std::errc::invalid_argument);
    }
    m_text = withProfileEntry(m_text, section, entry, value);
    return {};
}

Result<Published, PublishError> ProfileBatch::publish(InPlace inPlace) {
    close();
    return publishReport(m_path.c_str(), m_text, inPlace);
}

}  // namespace rt
