#include "ProfileBatch.h"

#include <span>
#include <utility>

#include "ProfileText.h"
#include "WholeFilePublisher.h"
#include "platform/filesystem/FileSystem.h"

namespace rt {

namespace {

// The innermost batch open on this thread; each batch links to the one it hides.
thread_local ProfileBatch* t_openBatch = nullptr;

// The fallback where the folder takes no new file but the old one may be
// written: the profile writers of Windows always work this way. The file is
// emptied before the text goes in with one write, so a crash leaves the old
// text, no text or the new text, never a mix of the two. Only a regular file
// with no other name is rewritten: a second name would carry the new text to
// a file that is not the report.
Result<void, std::error_code> rewriteInPlace(const char* path, std::string_view bytes) {
    auto& files = fileSystem();
    auto file = files.openForWriting(path);
    if (!file) {
        return file.error();
    }
    const auto status = files.status(*file);
    if (!status) {
        return status.error();
    }
    if (!status->isRegular || status->links != 1) {
        return std::make_error_code(std::errc::operation_not_supported);
    }
    if (auto emptied = files.truncate(*file, 0); !emptied) {
        return emptied;
    }
    const auto written = files.write(*file, std::as_bytes(std::span(bytes)));
    if (!written || written.value() != bytes.size()) {
        // A part of the text must not stay even if the caller cannot remove the file.
        (void)files.truncate(*file, 0);
        return written ? std::make_error_code(std::errc::io_error) : written.error();
    }
    if (auto synced = files.sync(*file); !synced) {
        return synced;
    }
    return file->close();
}

}  // namespace

ProfileBatch::~ProfileBatch() {
    close();
}

void ProfileBatch::open(std::string path) {
    if (!m_open) {
        m_outer = std::exchange(t_openBatch, this);
        m_open = true;
    }
    m_path = std::move(path);
    m_text.clear();
}

// Batches usually close in the reverse order of opening; one that closes
// early is unlinked from the middle of the chain.
void ProfileBatch::close() {
    if (!m_open) {
        return;
    }
    for (auto** link = &t_openBatch; *link != nullptr; link = &(*link)->m_outer) {
        if (*link == this) {
            *link = m_outer;
            break;
        }
    }
    m_open = false;
    m_outer = nullptr;
}

ProfileBatch* ProfileBatch::openFor(std::string_view path) {
    for (auto* batch = t_openBatch; batch != nullptr; batch = batch->m_outer) {
        if (batch->m_path == path) {
            return batch;
        }
    }
    return nullptr;
}

void ProfileBatch::put(std::string_view section, std::string_view entry, std::string_view value) {
    m_text = withProfileEntry(m_text, section, entry, value);
}

rt::Result<void, ProfileBatchError> ProfileBatch::publish(InPlace inPlace) {
    close();
    std::error_code cause;
    if (!m_text.empty()) {
        const auto published = publishWholeFile(m_path.c_str(), m_text);
        if (published) {
            return {};
        }
        cause = published.error();
        if (inPlace == InPlace::Allowed && rewriteInPlace(m_path.c_str(), m_text)) {
            return {};
        }
    }
    const auto removed = fileSystem().removeFile(m_path.c_str());
    if (!removed && removed.error() != std::errc::no_such_file_or_directory) {
        return ProfileBatchError{cause ? cause : removed.error(), true};
    }
    if (cause) {
        return ProfileBatchError{cause, false};
    }
    return {};
}

}  // namespace rt
