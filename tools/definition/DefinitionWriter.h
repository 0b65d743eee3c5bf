#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace keldwick::defc {

// Lays out a stored definition front to back: texts and zero-filled records
// are appended with no gaps, and fields are filled in by record offset and
// field position, so that forward links (a record's next, a window's first
// control) can be set once their target has been written.
class DefinitionWriter {
  public:
    // Writes the header for a key of the one length the header layout holds.
    explicit DefinitionWriter(std::string_view moduleKey);

    // Origin offset of the next byte to be written.
    std::int32_t here() const;
    // Appends a text and its NUL; an empty text is absent and takes no bytes.
    std::int32_t text(std::string_view text);
    // Appends a zero-filled record or sub-record of `size` bytes.
    std::int32_t block(std::size_t size);

    void setWindowOffset(std::int32_t offset);
    void setU8(std::int32_t block, std::size_t field, std::uint8_t value);
    void setI32(std::int32_t block, std::size_t field, std::int32_t value);

    std::vector<std::byte> take() && { return std::move(m_bytes); }

  private:
    void setI32At(std::size_t position, std::int32_t value);

    std::vector<std::byte> m_bytes;
};

}  // namespace keldwick::defc
