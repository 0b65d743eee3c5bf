#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace rt {

// A cursor over untrusted bytes. Every read is bounds-checked and fails as a
// whole (nothing is consumed) when it does not fit; lengths are compared with
// what remains, so no offset arithmetic can wrap. Integers are little-endian
// and may sit at any byte position.
class ByteReader {
  public:
    ByteReader() = default;
    explicit ByteReader(std::span<const std::byte> bytes, std::size_t base = 0)
        : m_bytes(bytes), m_base(base) {}

    std::size_t size() const { return m_bytes.size(); }
    std::size_t offset() const { return m_offset; }
    std::size_t remaining() const { return m_bytes.size() - m_offset; }
    // Position of this view's first byte within the buffer it was sliced from.
    std::size_t base() const { return m_base; }
    std::span<const std::byte> bytes() const { return m_bytes; }

    [[nodiscard]] bool seek(std::size_t offset);
    [[nodiscard]] bool skip(std::size_t count);
    // Aligns the absolute position (base + offset) up to a multiple of alignment.
    [[nodiscard]] bool alignTo(std::size_t alignment);

    [[nodiscard]] std::optional<std::uint8_t> readU8();
    [[nodiscard]] std::optional<std::uint16_t> readU16();
    [[nodiscard]] std::optional<std::uint32_t> readU32();
    [[nodiscard]] std::optional<std::int32_t> readI32();
    [[nodiscard]] std::optional<std::span<const std::byte>> readBytes(std::size_t count);
    // Reads up to a NUL found within the next `max` bytes and consumes the NUL.
    [[nodiscard]] std::optional<std::string_view> readCString(std::size_t max);

    // Random access that leaves the cursor alone.
    [[nodiscard]] std::optional<std::uint8_t> u8At(std::size_t offset) const;
    [[nodiscard]] std::optional<std::uint16_t> u16At(std::size_t offset) const;
    [[nodiscard]] std::optional<std::uint32_t> u32At(std::size_t offset) const;
    [[nodiscard]] std::optional<std::int32_t> i32At(std::size_t offset) const;
    [[nodiscard]] std::optional<std::string_view> cStringAt(std::size_t offset, std::size_t max) const;

    // A reader over exactly [offset, offset + length) of this one: a child that
    // is read through its slice cannot reach outside its parent.
    [[nodiscard]] std::optional<ByteReader> slice(std::size_t offset, std::size_t length) const;

  private:
    std::span<const std::byte> m_bytes;
    std::size_t m_offset = 0;
    std::size_t m_base = 0;
};

namespace detail {
[[noreturn]] void readPastCheckedLength();
}  // namespace detail

// The value of a read that an earlier length check has already proven to fit.
// Finding it empty means that check is wrong, a fault of this program rather
// than of the bytes: the program ends, as on reading the wrong side of a
// result, instead of going on with a made-up value.
template <typename T>
T checkedRead(std::optional<T> read) {
    if (!read) {
        detail::readPastCheckedLength();
    }
    return *read;
}

}  // namespace rt
