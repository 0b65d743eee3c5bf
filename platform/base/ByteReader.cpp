#include "ByteReader.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace rt {

namespace {

std::uint32_t littleEndian(std::span<const std::byte> bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) {
        value = (value << 8) | std::to_integer<std::uint32_t>(bytes[i]);
    }
    return value;
}

}  // namespace

void detail::readPastCheckedLength() {
    std::fputs("keldwick: internal error: a read that a length check allowed found no bytes\n", stderr);
    std::abort();
}

bool ByteReader::seek(std::size_t offset) {
    if (offset > m_bytes.size()) {
        return false;
    }
    m_offset = offset;
    return true;
}

bool ByteReader::skip(std::size_t count) {
    if (count > remaining()) {
        return false;
    }
    m_offset += count;
    return true;
}

bool ByteReader::alignTo(std::size_t alignment) {
    if (alignment == 0) {
        return false;
    }
    const auto misalignment = (m_base + m_offset) % alignment;
    return misalignment == 0 || skip(alignment - misalignment);
}

std::optional<std::span<const std::byte>> ByteReader::readBytes(std::size_t count) {
    if (count > remaining()) {
        return std::nullopt;
    }
    const auto out = m_bytes.subspan(m_offset, count);
    m_offset += count;
    return out;
}

std::optional<std::uint8_t> ByteReader::readU8() {
    auto value = u8At(m_offset);
    if (value) {
        m_offset += 1;
    }
    return value;
}

std::optional<std::uint16_t> ByteReader::readU16() {
    auto value = u16At(m_offset);
    if (value) {
        m_offset += 2;
    }
    return value;
}

std::optional<std::uint32_t> ByteReader::readU32() {
    auto value = u32At(m_offset);
    if (value) {
        m_offset += 4;
    }
    return value;
}

std::optional<std::int32_t> ByteReader::readI32() {
    auto value = i32At(m_offset);
    if (value) {
        m_offset += 4;
    }
    return value;
}

std::optional<std::string_view> ByteReader::readCString(std::size_t max) {
    auto text = cStringAt(m_offset, max);
    if (text) {
        m_offset += text->size() + 1;
    }
    return text;
}

std::optional<std::uint8_t> ByteReader::u8At(std::size_t offset) const {
    if (offset >= m_bytes.size()) {
        return std::nullopt;
    }
    return std::to_integer<std::uint8_t>(m_bytes[offset]);
}

std::optional<std::uint16_t> ByteReader::u16At(std::size_t offset) const {
    if (offset > m_bytes.size() || 2 > m_bytes.size() - offset) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(littleEndian(m_bytes.subspan(offset, 2)));
}

std::optional<std::uint32_t> ByteReader::u32At(std::size_t offset) const {
    if (offset > m_bytes.size() || 4 > m_bytes.size() - offset) {
        return std::nullopt;
    }
    return littleEndian(m_bytes.subspan(offset, 4));
}

std::optional<std::int32_t> ByteReader::i32At(std::size_t offset) const {
    const auto raw = u32At(offset);
    if (!raw) {
        return std::nullopt;
    }
    std::int32_t value = 0;
    std::memcpy(&value, &*raw, sizeof value);
    return value;
}

std::optional<std::string_view> ByteReader::cStringAt(std::size_t offset, std::size_t max) const {
    if (offset > m_bytes.size()) {
        return std::nullopt;
    }
    const auto window = m_bytes.subspan(offset, std::min(max, m_bytes.size() - offset));
    for (std::size_t i = 0; i < window.size(); ++i) {
        if (window[i] == std::byte{0}) {
            return std::string_view(reinterpret_cast<const char*>(window.data()), i);
        }
    }
    return std::nullopt;
}

std::optional<ByteReader> ByteReader::slice(std::size_t offset, std::size_t length) const {
    if (offset > m_bytes.size() || length > m_bytes.size() - offset) {
        return std::nullopt;
    }
    return ByteReader(m_bytes.subspan(offset, length), m_base + offset);
}

}  // namespace rt
