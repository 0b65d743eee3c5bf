#include "InPlaceRewrite.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ProfileLines.h"
#include "platform/base/AsciiCase.h"
#include "platform/filesystem/FileSystem.h"

namespace rt {

namespace {

// A profile the rewrite would read whole; Windows 95 reads none beyond 32 KB.
constexpr std::uint64_t kMaxRewrittenBytes = std::uint64_t{64} * 1024;
// Room in each slot for any report, so that the two slots take turns.
constexpr std::size_t kSlotFloor = 126;

// Blanks that a profile reader skips: a line of spaces, or a lone space.
std::string padding(std::size_t length) {
    if (length < 2) {
        return std::string(length, ' ');
    }
    return std::string(length - 2, ' ') + "\r\n";
}

std::error_code ioError() {
    return std::make_error_code(std::errc::io_error);
}

std::string headerLine(std::string_view name) {
    std::string line(1, '[');
    line.append(name);
    line.append("]\r\n");
    return line;
}

class Slots {
  public:
    Slots(FileSystem& files, const File& file, std::string old, std::string_view text, std::string_view name)
        : m_files(files),
          m_file(file),
          m_old(std::move(old)),
          m_text(text),
          m_name(name),
          m_live(headerLine(name)),
          m_retired(m_live) {
        m_retired[1] = name.front() == '~' ? '!' : '~';
    }

    Result<Published, std::error_code> rewrite() {
        const auto back = backSlot();
        if (back && isLive(0)) {
            return intoBack(*back);
        }
        if (back && isLive(*back) && m_text.size() + 2 <= *back) {
            return intoFront(*back);
        }
        return fromWholeFile();
    }

  private:
    bool put(std::uint64_t offset, std::string_view bytes) {
        const auto written = m_files.writeAt(m_file, offset, std::as_bytes(std::span(bytes)));
        if (!written || written.value() != bytes.size()) {
            m_failure = written ? ioError() : written.error();
            return false;
        }
        return true;
    }
    bool synced() {
        auto done = m_files.sync(m_file);
        if (!done) {
            m_failure = done.error();
        }
        return done.ok();
    }
    bool cut(std::uint64_t size) {
        auto done = m_files.truncate(m_file, size);
        if (!done) {
            m_failure = done.error();
        }
        return done.ok();
    }
    // Why the last step failed.
    std::error_code failure() const { return m_failure ? m_failure : ioError(); }
    bool setLive(std::size_t header, bool live) {
        return put(header + 1, std::string_view(live ? m_live : m_retired).substr(1, 1));
    }
    std::string retiredText() const { return m_retired + std::string(m_text.substr(m_live.size())); }
    bool headerAt(std::size_t at, const std::string& header) const {
        return (at == 0 || (at >= 2 && m_old.compare(at - 2, 2, "\r\n") == 0)) &&
               m_old.compare(at, header.size(), header) == 0;
    }
    bool isLive(std::size_t at) const { return headerAt(at, m_live); }

    // The back slot of a file in two slots: where the second header of
    // either kind starts, after a front one; no other live section of the name.
    std::optional<std::size_t> backSlot() const {
        if (!headerAt(0, m_live) && !headerAt(0, m_retired)) {
            return std::nullopt;
        }
        std::optional<std::size_t> back;
        for (const auto& line : profileLines(m_old)) {
            if (line.kind != ProfileLine::Kind::Section || line.begin == 0) {
                continue;
            }
            const bool ours = headerAt(line.begin, m_live) || headerAt(line.begin, m_retired);
            if (ours && !back) {
                back = line.begin;
            } else if (equalsIgnoringAsciiCase(line.name, m_name)) {
                return std::nullopt;
            }
        }
        return back;
    }

    // Published; where the last steps failed, the text is in place but may not be on disk.
    Result<Published, std::error_code> committed(bool tidied = true) {
        if (!synced() || !tidied) {
            return Published{failure()};
        }
        return Published{};
    }

    // The front is read: the back slot takes the new text and, once live,
    // the front is retired in front of it.
    Result<Published, std::error_code> intoBack(std::size_t back) {
        const auto end = back + m_text.size();
        const auto text = retiredText() + padding(m_old.size() > end ? m_old.size() - end : 0);
        if ((isLive(back) && !setLive(back, false)) || !put(back, text) || !synced() ||
            !setLive(back, true) || !setLive(0, false)) {
            return failure();
        }
        // Tidying: the retired front keeps its header alone, the back its text alone.
        const bool tidied =
            put(m_live.size(), padding(back - m_live.size())) && (m_old.size() <= end || cut(end));
        return committed(tidied);
    }

    // The back is read: the front takes the new text, retired, and comes
    // alive in front of it. The back stays as it is until the next rewrite,
    // since a reader may have found the front retired a moment before.
    Result<Published, std::error_code> intoFront(std::size_t back) {
        if (!put(0, retiredText() + std::string(back - 2 - m_text.size(), ' ')) || !synced() ||
            !setLive(0, true)) {
            return failure();
        }
        return committed();
    }

    // A file written whole, or anything else: the new text goes behind it as
    // the back slot, comes alive, and every live section of the name in front
    // of it is retired; the front then keeps only a retired header.
    Result<Published, std::error_code> fromWholeFile() {
        const auto back = std::max(m_old.size(), std::max(m_text.size(), kSlotFloor)) + 2;
        if (!put(m_old.size(), padding(back - m_old.size()) + retiredText()) || !synced() ||
            !setLive(back, true)) {
            const auto error = failure();
            (void)m_files.truncate(m_file, m_old.size());
            return error;
        }
        bool retired = true;
        for (const auto& line : profileLines(m_old)) {
            if (line.kind == ProfileLine::Kind::Section && equalsIgnoringAsciiCase(line.name, m_name)) {
                const auto at = static_cast<std::size_t>(line.name.data() - m_old.data());
                retired = put(at, std::string_view(m_retired).substr(1, 1));
                if (!retired) {
                    break;
                }
            }
        }
        if (!retired) {
            return failure();
        }
        const bool tidied = synced() && put(0, m_retired + padding(back - m_retired.size()));
        return committed(tidied);
    }

    FileSystem& m_files;
    const File& m_file;
    std::string m_old;
    std::string_view m_text;
    std::string_view m_name;
    std::string m_live;     // the section line, "[NAME]\r\n"
    std::string m_retired;  // the same, its name's first letter replaced
    std::error_code m_failure;
};

// The section a text begins with, as its first line names it; empty where it
// begins otherwise, and then it is not rewritten in place.
std::string_view leadingSection(std::string_view text) {
    const auto end = text.find("]\r\n");
    if (!text.starts_with('[') || end == std::string_view::npos || end < 2 ||
        text.substr(1, end - 1).find_first_of("[]\r\n") != std::string_view::npos) {
        return {};
    }
    return text.substr(1, end - 1);
}

}  // namespace

Result<Published, std::error_code> rewriteInPlace(const char* path, std::string_view text,
                                                  std::error_code& cause) {
    const auto name = leadingSection(text);
    if (name.empty()) {
        return std::make_error_code(std::errc::operation_not_supported);
    }
    auto& files = fileSystem();
    auto file = files.openForWriting(path);
    if (!file) {
        return file.error();
    }
    const auto status = files.status(*file);
    if (!status) {
        return status.error();
    }
    if (!status->isRegular || status->links != 1 || status->size > kMaxRewrittenBytes) {
        return std::make_error_code(std::errc::operation_not_supported);
    }
    std::string old(static_cast<std::size_t>(status->size), '\0');
    const auto read = files.readAt(*file, 0, std::as_writable_bytes(std::span(old)));
    if (!read || read.value() != old.size()) {
        return read ? ioError() : read.error();
    }
    auto rewritten = Slots(files, *file, std::move(old), text, name).rewrite();
    if (!rewritten) {
        cause = rewritten.error();
        return rewritten;
    }
    if (auto closed = file->close(); !closed && !rewritten->notFlushed) {
        rewritten->notFlushed = closed.error();
    }
    return rewritten;
}

}  // namespace rt
