#include "platform/definition/ControlChain.h"

#include <string>
#include <utility>

#include "platform/definition/RecordLayout.h"

namespace rt::definition {

namespace {

using rt::ByteReader;
namespace L = layout;

static_assert(L::statictext::kFont + 4 <= L::statictext::kSize);
static_assert(L::valuedisplay::kPicture + 4 <= L::valuedisplay::kSize);
static_assert(L::pushbutton::kText + 4 <= L::pushbutton::kSize);

std::int32_t field(const ByteReader& record, std::size_t at) {
    return StoredDefinitionView::field(record, at);
}

// Id, position and size sit at different offsets in each control kind's record.
void readPlacement(const ByteReader& record, const L::Placement& at, Control& control) {
    control.id = field(record, at.id);
    control.x = field(record, at.x);
    control.y = field(record, at.y);
    control.width = field(record, at.width);
    control.height = field(record, at.height);
}

ControlKind controlKind(PieceKind piece) {
    switch (piece) {
        case PieceKind::ValueDisplay:
            return ControlKind::ValueDisplay;
        case PieceKind::PushButton:
            return ControlKind::PushButton;
        default:
            return ControlKind::StaticText;
    }
}

}  // namespace

Result<std::vector<Control>, DefinitionError> ControlChain::read(std::int32_t first) {
    std::vector<Control> controls;
    for (auto offset = first; offset != 0;) {
        auto piece = controlPiece(offset);
        if (!piece) {
            return piece.error();
        }
        auto record = m_view.record(offset, piece.value());
        if (!record) {
            return record.error();
        }
        Control control;
        control.kind = controlKind(piece.value());
        control.flags = field(record.value(), L::kFlags);
        control.font = m_windowFont;
        Result<void, DefinitionError> read;
        switch (control.kind) {
            case ControlKind::StaticText:
                read = readStaticText(record.value(), control);
                break;
            case ControlKind::ValueDisplay:
                read = readValueDisplay(record.value(), control);
                break;
            case ControlKind::PushButton:
                read = readPushButton(record.value(), control);
                break;
        }
        if (!read) {
            return read.error();
        }
        controls.push_back(std::move(control));
        offset = field(record.value(), L::kNext);
    }
    return controls;
}

Result<PieceKind, DefinitionError> ControlChain::controlPiece(std::int32_t offset) {
    auto kind = m_view.kindAt(offset);
    if (!kind) {
        return kind.error();
    }
    const auto piece = StoredDefinitionView::pieceForKind(kind.value());
    if (!piece) {
        return m_view.failure(DefinitionFault::UnknownKind, offset, "kind " + std::to_string(kind.value()));
    }
    if (*piece != PieceKind::StaticText && *piece != PieceKind::ValueDisplay &&
        *piece != PieceKind::PushButton) {
        return m_view.failure(DefinitionFault::UnexpectedKind, offset,
                              std::string(pieceName(*piece)) + " in the control chain");
    }
    return *piece;
}

Result<void, DefinitionError> ControlChain::readStaticText(const ByteReader& record, Control& control) {
    namespace S = L::statictext;
    readPlacement(record, S::kPlacement, control);
    auto text = m_view.text(field(record, S::kText));
    if (!text) {
        return text.error();
    }
    control.text = std::move(text).value();
    if (const auto offset = field(record, S::kFont); offset != 0) {
        auto font = m_view.font(offset);
        if (!font) {
            return font.error();
        }
        control.hasOwnFont = true;
        control.ownFont = std::move(font).value();
        control.font = resolveFont(control.ownFont, m_windowFont);
    }
    return {};
}

Result<void, DefinitionError> ControlChain::readValueDisplay(const ByteReader& record, Control& control) {
    namespace V = L::valuedisplay;
    readPlacement(record, V::kPlacement, control);
    if (const auto offset = field(record, V::kVariable); offset != 0) {
        auto variable = m_view.subRecord(offset, PieceKind::Variable);
        if (!variable) {
            return variable.error();
        }
        control.variable.typeCode = variable.value().u8At(L::variable::kTypeCode).value_or(0);
        control.variable.length = field(variable.value(), L::variable::kLength);
    }
    if (const auto offset = field(record, V::kColours); offset != 0) {
        auto colours = m_view.subRecord(offset, PieceKind::Colours);
        if (!colours) {
            return colours.error();
        }
        control.background.raw = field(colours.value(), L::colours::kBackground);
    }
    auto picture = m_view.text(field(record, V::kPicture));
    if (!picture) {
        return picture.error();
    }
    control.picture = std::move(picture).value();
    return {};
}

Result<void, DefinitionError> ControlChain::readPushButton(const ByteReader& record, Control& control) {
    namespace P = L::pushbutton;
    readPlacement(record, P::kPlacement, control);
    auto text = m_view.text(field(record, P::kText));
    if (!text) {
        return text.error();
    }
    control.text = std::move(text).value();
    return {};
}

}  // namespace rt::definition
