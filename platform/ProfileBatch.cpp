#include "ProfileBatch.h"

#include <span>
#include <utility>

#include "FileSystem.h"
#include "ProfileText.h"
#include "WholeFilePublisher.h"

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
std::error_code rewriteInPlace(const char* path, std::string_view bytes) {
    NativeFile native = kNoFile;
    if (auto error = fileSystem().openForWriting(path, native)) {
        return error;
    }
    File file(native);
    FileStatus status;
    if (auto error = fileSystem().status(file.native(), status)) {
        return error;
    }
    if (!status.isRegular || status.links != 1) {
        return std::make_error_code(std::errc::operation_not_supported);
    }
    if (auto error = fileSystem().truncate(file.native(), 0)) {
        return error;
    }
    std::size_t written = 0;
    auto error = fileSystem().write(file.native(), std::as_bytes(std::span(bytes)), written);
    if (!error && written != bytes.size()) {
        error = std::make_error_code(std::errc::io_error);
    }
    if (error) {
        // A part of the text must not stay even if the caller cannot remove the file.
        (void)fileSystem().truncate(file.native(), 0);
        return error;
    }
    error = fileSystem().sync(file.native());
    return error ? error : file.close();
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

keldwick::Result<void, ProfileBatchError> ProfileBatch::publish(InPlace inPlace) {
    close();
    std::error_code cause;
    if (!m_text.empty()) {
        cause = publishWholeFile(m_path.c_str(), m_text);
        if (!cause) {
            return {};
        }
        if (inPlace == InPlace::Allowed && !rewriteInPlace(m_path.c_str(), m_text)) {
            return {};
        }
    }
    const auto removed = fileSystem().removeFile(m_path.c_str());
    if (removed && removed != std::errc::no_such_file_or_directory) {
        return ProfileBatchError{cause ? cause : removed, true};
    }
    if (cause) {
        return ProfileBatchError{cause, false};
    }
    return {};
}

}  // namespace rt
