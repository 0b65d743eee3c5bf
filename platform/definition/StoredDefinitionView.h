#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>

#include "platform/base/ByteReader.h"
#include "platform/definition/DefinitionError.h"
#include "platform/definition/WalkTrace.h"
#include "platform/definition/WindowDescription.h"

namespace rt::definition {

// Checked access to one stored definition for the length of one walk: turns
// origin offsets into readers over exactly one record, sub-record or text,
// refuses anything outside the body, and remembers every chain record it has
// handed out so that a chain that comes back on itself ends the walk.
// It owns no bytes and lives on the walking thread's stack.
class StoredDefinitionView {
  public:
    // Far more than any window holds; a definition that needs more is corrupt.
    static constexpr std::size_t kMaxChainRecords = 4096;
    // The longest text a window shows is a few dozen characters.
    static constexpr std::size_t kMaxTextLength = 1024;

    StoredDefinitionView(std::span<const std::byte> stored, WalkTrace* trace);

    // Keys that errors name; the walk sets them as soon as it knows them.
    void nameDefinition(std::string_view moduleKey, std::string_view windowKey);
    const rt::ByteReader& whole() const { return m_stored; }

    [[nodiscard]] DefinitionError failure(DefinitionFault fault, std::int64_t offset,
                                          std::string detail = {}) const;

    // The kind byte of the record at an offset, which must lie in the body.
    [[nodiscard]] Result<std::uint8_t, DefinitionError> kindAt(std::int32_t offset) const;
    // A record of the given piece, which must carry that piece's kind.
    [[nodiscard]] Result<rt::ByteReader, DefinitionError> record(std::int32_t offset, PieceKind piece);
    // A sub-record: font, colours, variable or zone. Zones form a chain and are
    // checked for loops like records.
    [[nodiscard]] Result<rt::ByteReader, DefinitionError> subRecord(std::int32_t offset, PieceKind piece);
    // Offset 0 gives the empty text.
    [[nodiscard]] Result<std::string, DefinitionError> text(std::int32_t offset);
    // A font record with its face-name text, as stored.
    [[nodiscard]] Result<Font, DefinitionError> font(std::int32_t offset);

    // Records come as slices of exactly their size and every field lies
    // inside its record, so a field read cannot come back empty.
    static std::int32_t field(const rt::ByteReader& record, std::size_t at) {
        return record.i32At(at).value_or(0);
    }

    static std::size_t pieceSize(PieceKind piece);
    static std::optional<PieceKind> pieceForKind(std::uint8_t kind);
    // A stored text made safe to quote in a one-line message, cut after `shown` characters.
    static std::string quoted(std::string_view text, std::size_t shown = 48);

  private:
    [[nodiscard]] Result<void, DefinitionError> checkOffset(std::int32_t offset) const;
    [[nodiscard]] Result<rt::ByteReader, DefinitionError> piece(std::int32_t offset, PieceKind piece);
    [[nodiscard]] Result<void, DefinitionError> enterChain(std::int32_t offset);

    rt::ByteReader m_stored;
    WalkTrace* m_trace;
    std::string m_moduleKey;
    std::string m_windowKey;
    std::unordered_set<std::int32_t> m_chainRecords;
};

}  // namespace rt::definition
