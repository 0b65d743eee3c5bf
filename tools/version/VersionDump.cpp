#include "VersionDump.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/base/ByteReader.h"
#include "platform/version/VersionLocator.h"
#include "platform/version/VersionQuery.h"

namespace keldwick::dump {

using namespace rt::version;

namespace {

// Printable ASCII as is, everything else as \xNN, so the output is plain text
// whatever the file holds.
std::string quoted(std::string_view text) {
    std::string out(1, '"');
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
            out += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        }
    }
    out += '"';
    return out;
}

std::string word(std::uint32_t value) {
    char text[12];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

std::string describeBinary(const VersionNode& node) {
    const rt::ByteReader reader(node.binary);
    if (node.key == "VS_VERSION_INFO" && node.binary.size() >= 0x34) {
        const auto ms = rt::checkedRead(reader.u32At(8));
        const auto ls = rt::checkedRead(reader.u32At(12));
        return "fixed file info: signature " + word(rt::checkedRead(reader.u32At(0))) + ", file version " +
               std::to_string(ms >> 16) + "." + std::to_string(ms & 0xFFFF) + "." + std::to_string(ls >> 16) +
               "." + std::to_string(ls & 0xFFFF) + ", file type " +
               std::to_string(rt::checkedRead(reader.u32At(0x24)));
    }
    if (node.binary.size() % 4 == 0 && node.binary.size() <= 64) {
        std::string words;
        for (std::size_t i = 0; i < node.binary.size(); i += 4) {
            if (!words.empty()) {
                words += ' ';
            }
            words += word(rt::checkedRead(reader.u32At(i)));
        }
        return words;
    }
    return std::to_string(node.binary.size()) + " bytes";
}

void printNode(const VersionNode& node, int depth, std::string& out) {
    out += std::string(static_cast<std::size_t>(2 * depth), ' ') + quoted(node.key) + " @" + hex(node.offset);
    switch (node.kind) {
        case ValueKind::None:
            break;
        case ValueKind::Text:
            out += " = " + quoted(node.text);
            break;
        case ValueKind::Binary:
            out += ": " + describeBinary(node);
            break;
    }
    out += '\n';
    for (const auto& child : node.children) {
        printNode(child, depth + 1, out);
    }
}

std::string describeLocation(const LocatedBlock& located) {
    return "format: " + std::string(formatName(located.format)) + ", new header at " +
           hex(located.newHeaderOffset) + "\n" + "found: " + located.location.details + "\n" + "block: at " +
           hex(located.location.offset) + ", " + std::to_string(located.location.length) +
           " bytes available\n";
}

}  // namespace

DumpResult dumpVersionInfo(ByteSource& source, std::string_view query) {
    const auto info = readVersionInfo(source);
    if (!info) {
        // Say where the block lies when the failure came after finding it.
        const auto located = locateVersionBlock(source);
        return {false, (located ? describeLocation(*located) : std::string()) +
                           "rejected: " + info.error().reason + "\n"};
    }
    std::string out = describeLocation(info->located);
    out += "layout: " + std::string(layoutName(info->tree.layout)) + ", root length " +
           std::to_string(info->tree.declaredLength) + "; handed out as " +
           std::to_string(info->block.size()) + " bytes in the 16-bit layout\n";
    for (const auto& note : info->tree.notes) {
        out += "note: " + note + "\n";
    }
    printNode(info->tree.root, 0, out);
    const auto answer = queryAnsiBlock(info->block, query);
    out += "query " + std::string(query) + ": ";
    if (!answer) {
        out += "not found\n";
    } else {
        // Shown up to its NUL, as the caller copies it; a binary value may have none before the block ends.
        const auto* value = reinterpret_cast<const char*>(info->block.data() + answer->offset);
        const auto shown = std::string_view(value, strnlen(value, info->block.size() - answer->offset));
        out += quoted(shown) + " (length " + std::to_string(answer->length) + ")\n";
    }
    return {true, out};
}

}  // namespace keldwick::dump
