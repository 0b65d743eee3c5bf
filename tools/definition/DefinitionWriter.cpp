#include "tools/definition/DefinitionWriter.h"

#include "platform/definition/RecordLayout.h"

namespace keldwick::defc {

namespace L = rt::definition::layout;

DefinitionWriter::DefinitionWriter(std::string_view moduleKey) : m_bytes(L::kHeaderSize) {
    for (std::size_t i = 0; i < moduleKey.size() && i < L::kModuleKeyLength; ++i) {
        m_bytes[i] = static_cast<std::byte>(moduleKey[i]);
    }
}

std::int32_t DefinitionWriter::here() const {
    return static_cast<std::int32_t>(m_bytes.size() - L::kOrigin);
}

std::int32_t DefinitionWriter::text(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    const auto offset = here();
    for (const char c : text) {
        m_bytes.push_back(static_cast<std::byte>(c));
    }
    m_bytes.push_back(std::byte{0});
    return offset;
}

std::int32_t DefinitionWriter::block(std::size_t size) {
    const auto offset = here();
    m_bytes.resize(m_bytes.size() + size);
    return offset;
}

void DefinitionWriter::setWindowOffset(std::int32_t offset) {
    setI32At(L::kWindowOffsetField, offset);
}

void DefinitionWriter::setU8(std::int32_t block, std::size_t field, std::uint8_t value) {
    m_bytes.at(L::kOrigin + static_cast<std::size_t>(block) + field) = static_cast<std::byte>(value);
}

void DefinitionWriter::setI32(std::int32_t block, std::size_t field, std::int32_t value) {
    setI32At(L::kOrigin + static_cast<std::size_t>(block) + field, value);
}

void DefinitionWriter::setI32At(std::size_t position, std::int32_t value) {
    auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i) {
        m_bytes.at(position + i) = static_cast<std::byte>(bits & 0xFFu);
        bits >>= 8;
    }
}

}  // namespace keldwick::defc
