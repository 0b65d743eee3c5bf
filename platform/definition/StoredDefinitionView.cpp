#include "platform/definition/StoredDefinitionView.h"

#include <utility>

#include "platform/base/HexText.h"
#include "platform/definition/RecordLayout.h"

namespace rt::definition {

namespace {

using rt::ByteReader;

bool isChainPiece(PieceKind piece) {
    switch (piece) {
        case PieceKind::Text:
        case PieceKind::Font:
        case PieceKind::Colours:
        case PieceKind::Variable:
            return false;
        default:
            return true;
    }
}

std::string hex(std::int64_t value) {
    std::string text = "0x";
    text += hexText(static_cast<std::uint64_t>(value));
    return text;
}

}  // namespace

StoredDefinitionView::StoredDefinitionView(std::span<const std::byte> stored, WalkTrace* trace)
    : m_stored(stored), m_trace(trace) {}

void StoredDefinitionView::nameDefinition(std::string_view moduleKey, std::string_view windowKey) {
    m_moduleKey = moduleKey;
    m_windowKey = windowKey;
}

DefinitionError StoredDefinitionView::failure(DefinitionFault fault, std::int64_t offset,
                                              std::string detail) const {
    return DefinitionError{fault, m_moduleKey, m_windowKey, offset, std::move(detail)};
}

Result<void, DefinitionError> StoredDefinitionView::checkOffset(std::int32_t offset) const {
    if (offset < layout::kFirstBody) {
        return failure(DefinitionFault::OffsetOutOfBounds, offset,
                       offset < 0 ? "negative" : "points into the header");
    }
    const auto position = layout::kOrigin + static_cast<std::size_t>(offset);
    if (position >= m_stored.size()) {
        return failure(
            DefinitionFault::OffsetOutOfBounds, offset,
            "past the end at " + hex(static_cast<std::int64_t>(m_stored.size() - layout::kOrigin)));
    }
    return {};
}

Result<std::uint8_t, DefinitionError> StoredDefinitionView::kindAt(std::int32_t offset) const {
    if (auto checked = checkOffset(offset); !checked) {
        return checked.error();
    }
    return rt::checkedRead(m_stored.u8At(layout::kOrigin + static_cast<std::size_t>(offset)));
}

Result<ByteReader, DefinitionError> StoredDefinitionView::record(std::int32_t offset, PieceKind expected) {
    auto kind = kindAt(offset);
    if (!kind) {
        return kind.error();
    }
    const auto found = pieceForKind(kind.value());
    if (!found) {
        return failure(DefinitionFault::UnknownKind, offset, "kind " + std::to_string(kind.value()));
    }
    if (*found != expected) {
        return failure(
            DefinitionFault::UnexpectedKind, offset,
            std::string(pieceName(*found)) + " where a " + std::string(pieceName(expected)) + " belongs");
    }
    return piece(offset, expected);
}

Result<ByteReader, DefinitionError> StoredDefinitionView::subRecord(std::int32_t offset, PieceKind kind) {
    if (auto checked = checkOffset(offset); !checked) {
        return checked.error();
    }
    return piece(offset, kind);
}

Result<ByteReader, DefinitionError> StoredDefinitionView::piece(std::int32_t offset, PieceKind kind) {
    const auto size = pieceSize(kind);
    auto slice = m_stored.slice(layout::kOrigin + static_cast<std::size_t>(offset), size);
    if (!slice) {
        return failure(DefinitionFault::RecordPastEnd, offset,
                       std::string(pieceName(kind)) + " of " + std::to_string(size) + " bytes");
    }
    if (isChainPiece(kind)) {
        if (auto checked = enterChain(offset); !checked) {
            return checked.error();
        }
    }
    if (m_trace != nullptr) {
        m_trace->push_back({kind, offset, static_cast<std::int32_t>(size)});
    }
    return *slice;
}

Result<void, DefinitionError> StoredDefinitionView::enterChain(std::int32_t offset) {
    if (m_chainRecords.size() >= kMaxChainRecords) {
        return failure(DefinitionFault::TooManyRecords, offset,
                       "more than " + std::to_string(kMaxChainRecords));
    }
    if (!m_chainRecords.insert(offset).second) {
        return failure(DefinitionFault::ChainLoop, offset, "record reached a second time");
    }
    return {};
}

Result<std::string, DefinitionError> StoredDefinitionView::text(std::int32_t offset) {
    if (offset == 0) {
        return std::string{};
    }
    if (auto checked = checkOffset(offset); !checked) {
        return checked.error();
    }
    const auto position = layout::kOrigin + static_cast<std::size_t>(offset);
    const auto found = m_stored.cStringAt(position, kMaxTextLength + 1);
    if (!found) {
        return failure(DefinitionFault::UnterminatedText, offset,
                       "no NUL within " + std::to_string(kMaxTextLength) + " characters or the definition");
    }
    if (m_trace != nullptr) {
        m_trace->push_back({PieceKind::Text, offset, static_cast<std::int32_t>(found->size() + 1)});
    }
    return std::string(*found);
}

Result<Font, DefinitionError> StoredDefinitionView::font(std::int32_t offset) {
    auto record = subRecord(offset, PieceKind::Font);
    if (!record) {
        return record.error();
    }
    auto face = text(field(record.value(), layout::font::kName));
    if (!face) {
        return face.error();
    }
    Font out;
    out.face = std::move(face).value();
    out.size = field(record.value(), layout::font::kPointSize);
    out.textColour.raw = field(record.value(), layout::font::kTextColour);
    return out;
}

std::size_t StoredDefinitionView::pieceSize(PieceKind piece) {
    switch (piece) {
        case PieceKind::Text:
            return 1;
        case PieceKind::Font:
            return layout::font::kSize;
        case PieceKind::Zone:
            return layout::zone::kSize;
        case PieceKind::Window:
            return layout::window::kSize;
        case PieceKind::MenuBar:
            return layout::menubar::kSize;
        case PieceKind::Menu:
            return layout::menu::kSize;
        case PieceKind::MenuItem:
            return layout::menu::kItemSize;
        case PieceKind::StaticText:
            return layout::statictext::kSize;
        case PieceKind::ValueDisplay:
            return layout::valuedisplay::kSize;
        case PieceKind::PushButton:
            return layout::pushbutton::kSize;
        case PieceKind::Colours:
            return layout::colours::kSize;
        case PieceKind::Variable:
            return layout::variable::kSize;
    }
    return 1;
}

std::optional<PieceKind> StoredDefinitionView::pieceForKind(std::uint8_t kind) {
    switch (static_cast<layout::Kind>(kind)) {
        case layout::Kind::StaticText:
            return PieceKind::StaticText;
        case layout::Kind::ValueDisplay:
            return PieceKind::ValueDisplay;
        case layout::Kind::PushButton:
            return PieceKind::PushButton;
        case layout::Kind::Menu:
            return PieceKind::Menu;
        case layout::Kind::MenuItem:
            return PieceKind::MenuItem;
        case layout::Kind::MenuBar:
            return PieceKind::MenuBar;
        case layout::Kind::Window:
            return PieceKind::Window;
    }
    return std::nullopt;
}

std::string StoredDefinitionView::quoted(std::string_view text, std::size_t shown) {
    std::string out = "\"";
    for (const char c : text.substr(0, shown)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '"' || c == '\\') {
            out += "\\x";
            out += hexText(byte, 2);
        } else {
            out += c;
        }
    }
    out += text.size() > shown ? "\"..." : "\"";
    return out;
}

}  // namespace rt::definition
