#include "ByteSource.h"

#include <algorithm>
#include <string>

namespace rt::version {

Result<std::vector<std::byte>, Error> readRange(ByteSource& source, std::uint64_t offset, std::size_t length,
                                                std::string_view what) {
    if (!fits(offset, length, source.size())) {
        return fail(Failure::Truncated, std::string(what) + " at " + hex(offset) + " (" +
                                            std::to_string(length) + " bytes) runs past the end of the " +
                                            std::to_string(source.size()) + "-byte file");
    }
    std::vector<std::byte> bytes(length);
    if (auto status = source.read(offset, bytes); !status) {
        return status.error();
    }
    return bytes;
}

Result<void, Error> MemorySource::read(std::uint64_t offset, std::span<std::byte> into) {
    if (!fits(offset, into.size(), m_bytes.size())) {
        return fail(Failure::Truncated, "read at " + hex(offset) + " runs past the end of the buffer");
    }
    std::copy_n(m_bytes.begin() + static_cast<std::ptrdiff_t>(offset), into.size(), into.begin());
    return {};
}

}  // namespace rt::version
