#include "tools/definition/DefinitionDump.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "platform/base/ByteReader.h"
#include "platform/definition/DefinitionWalk.h"
#include "platform/definition/RecordLayout.h"
#include "platform/definition/StoredDefinitionView.h"

namespace keldwick::defc {

namespace {

using rt::definition::Colour;
using rt::definition::Control;
using rt::definition::ControlKind;
using rt::definition::Font;
using rt::definition::kNotGiven;
using rt::definition::MenuEntry;
using rt::definition::PieceKind;
using rt::definition::WalkedPiece;
using rt::definition::WalkTrace;
using rt::definition::WindowDescription;
namespace layout = rt::definition::layout;

std::string quoted(std::string_view text) {
    return rt::definition::StoredDefinitionView::quoted(text,
                                                        rt::definition::StoredDefinitionView::kMaxTextLength);
}

std::string format(const char* pattern, long long a, long long b = 0) {
    char text[128];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

long long bits(std::int32_t flags) {
    return static_cast<std::uint32_t>(flags);
}

// A position or size: two values, either of which may be left to the window layer.
std::string pair(std::int32_t a, std::int32_t b, const char* separator) {
    if (a == kNotGiven && b == kNotGiven) {
        return "not given";
    }
    const auto one = [](std::int32_t v) {
        return v == kNotGiven ? std::string("not given") : std::to_string(v);
    };
    return one(a) + separator + one(b);
}

std::string colour(const Colour& colour) {
    if (!colour.isGiven()) {
        return "not given";
    }
    if (colour.isSystemColour()) {
        return "system colour " + std::to_string(colour.systemIndex());
    }
    return format("rgb %lld %lld", colour.red(), colour.green()) + " " + std::to_string(colour.blue());
}

std::string fontLine(const Font& font) {
    return "face " + quoted(font.face) + ", " +
           (font.size == 0 ? std::string("size not given") : std::to_string(font.size) + " points") +
           ", colour " + colour(font.textColour);
}

std::string pieceLine(const rt::ByteReader& whole, const WalkedPiece& piece) {
    auto line = format("  0x%04llX %5lld  ", piece.offset, piece.size) + std::string(pieceName(piece.kind));
    if (piece.kind == PieceKind::Text) {
        const auto text = whole.cStringAt(layout::kOrigin + static_cast<std::size_t>(piece.offset),
                                          static_cast<std::size_t>(piece.size));
        line += " " + quoted(text.value_or(""));
    }
    return line + "\n";
}

std::string pieceMap(std::span<const std::byte> stored, WalkTrace trace) {
    const rt::ByteReader whole(stored);
    std::sort(trace.begin(), trace.end(), [](const auto& a, const auto& b) { return a.offset < b.offset; });
    std::string out = "pieces by origin offset (origin at byte 20):\n";
    std::int64_t reached = layout::kFirstBody;
    for (const auto& piece : trace) {
        if (piece.offset > reached) {
            out += format("  0x%04llX %5lld  ** bytes nothing reaches\n", reached, piece.offset - reached);
        } else if (piece.offset < reached) {
            out += format("  0x%04llX %5lld  ** bytes shared with the piece before\n", piece.offset,
                          reached - piece.offset);
        }
        out += pieceLine(whole, piece);
        reached = std::max<std::int64_t>(reached, std::int64_t{piece.offset} + piece.size);
    }
    const auto end = static_cast<std::int64_t>(stored.size()) - static_cast<std::int64_t>(layout::kOrigin);
    if (end > reached) {
        out += format("  0x%04llX %5lld  ** bytes nothing reaches\n", reached, end - reached);
    }
    return out;
}

std::string controlLines(const Control& control) {
    static constexpr std::string_view kKinds[] = {"static text", "value display", "push button"};
    const auto kind = control.kind == ControlKind::StaticText     ? kKinds[0]
                      : control.kind == ControlKind::ValueDisplay ? kKinds[1]
                                                                  : kKinds[2];
    std::string out = "    " + std::to_string(control.id) + " " + std::string(kind) + " at " +
                      pair(control.x, control.y, ", ") + ", size " +
                      pair(control.width, control.height, " x ") +
                      format(", flags 0x%llX", bits(control.flags));
    out += control.kind == ControlKind::ValueDisplay ? " picture " + quoted(control.picture)
                                                     : " " + quoted(control.text);
    out +=
        "\n      font: " + fontLine(control.font) + (control.hasOwnFont ? " (its own)" : " (the window's)");
    if (control.kind == ControlKind::ValueDisplay) {
        out += format("\n      binds type 0x%02llX length %lld", control.variable.typeCode,
                      control.variable.length);
        out += ", background " + colour(control.background);
    }
    return out + "\n";
}

std::string entryLine(const MenuEntry& entry, std::string_view label) {
    std::string out = std::string(label) + " " + std::to_string(entry.id) + " " + quoted(entry.text);
    if (!entry.message.empty()) {
        out += " message " + quoted(entry.message);
    }
    return out + format(" action %lld flags 0x%llX", entry.actionCode, bits(entry.flags)) +
           (entry.isSeparator() ? " (separator)\n" : "\n");
}

std::string descriptionLines(const WindowDescription& window) {
    std::string out = "window " + quoted(window.windowKey) + " of module " + quoted(window.moduleKey) + "\n";
    out += "  title " + quoted(window.title) + "\n";
    out += format("  flags 0x%llX, window flags 0x%llX\n", bits(window.flags), bits(window.windowFlags));
    out += "  position " + pair(window.x, window.y, ", ") + "; size " +
           pair(window.width, window.height, " x ") + "\n";
    out += "  font: " + (window.hasFont ? fontLine(window.font) : std::string("none")) + "\n";
    out += "  zones, left to right:";
    for (const auto width : window.zoneWidths) {
        out += " " + std::to_string(width);
    }
    out += "\n  controls in chain order: " + std::to_string(window.controls.size()) + "\n";
    for (const auto& control : window.controls) {
        out += controlLines(control);
    }
    out += "  menu bar: " + std::string(window.hasMenuBar ? "yes" : "none") + "\n";
    for (const auto& menu : window.menus) {
        out += entryLine(menu, "    menu");
        for (const auto& item : menu.items) {
            out += entryLine(item, "      item");
        }
    }
    return out;
}

}  // namespace

Dump dumpDefinition(std::span<const std::byte> stored) {
    WalkTrace trace;
    const auto walked = inspectDefinition(stored, trace);
    Dump dump;
    dump.text = "stored definition: " + std::to_string(stored.size()) + " bytes\n" + pieceMap(stored, trace);
    dump.walked = walked.ok();
    dump.text +=
        walked ? descriptionLines(walked.value()) : "walk stopped: " + walked.error().message() + "\n";
    return dump;
}

}  // namespace keldwick::defc
