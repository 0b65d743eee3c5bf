#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "VersionError.h"

namespace rt::version {

// Random access to a file's bytes for the locators. The locators read a few
// headers and directories at offsets the file itself names, so they ask for
// ranges instead of taking the whole file: an in-memory source makes them pure
// functions of a buffer (tests, fuzzing), and the loader's source reads only
// the ranges asked for.
class ByteSource {
  public:
    virtual ~ByteSource() = default;

    virtual std::uint64_t size() const = 0;
    // Fills `into` with the bytes at `offset`. Callers check the range against
    // size() first (readRange does), so a failure here is an I/O error.
    virtual Result<void, Error> read(std::uint64_t offset, std::span<std::byte> into) = 0;
};

// Reads `length` bytes at `offset`; `what` names them in the reason when they
// are not all in the file ("the 196-byte LE header at 0x80").
Result<std::vector<std::byte>, Error> readRange(ByteSource& source, std::uint64_t offset, std::size_t length,
                                                std::string_view what);

// True when [offset, offset + length) lies inside a container of `size` bytes;
// written so that no sum can wrap.
constexpr bool fits(std::uint64_t offset, std::uint64_t length, std::uint64_t size) {
    return offset <= size && length <= size - offset;
}

class MemorySource final : public ByteSource {
  public:
    explicit MemorySource(std::span<const std::byte> bytes) : m_bytes(bytes) {}

    std::uint64_t size() const override { return m_bytes.size(); }
    Result<void, Error> read(std::uint64_t offset, std::span<std::byte> into) override;

  private:
    std::span<const std::byte> m_bytes;
};

}  // namespace rt::version
