#include "VersionQuery.h"

#include <algorithm>

#include "BlockNode.h"
#include "Cp1252.h"
#include "platform/base/ByteReader.h"

namespace rt::version {

namespace {

constexpr std::string_view kStringFileInfo = "StringFileInfo";
constexpr std::size_t kStringDepth = 3;  // \StringFileInfo\<table>\<name>

std::string_view keyOf(std::span<const std::byte> block, const NodeView& node) {
    return {reinterpret_cast<const char*>(block.data() + node.keyStart), node.keyEnd - node.keyStart};
}

std::optional<NodeView> findChild(std::span<const std::byte> block, const NodeView& parent,
                                  std::string_view name) {
    const rt::ByteReader reader(block);
    std::size_t position = parent.childrenStart;
    // Every step advances by at least four bytes, so the scan ends with the parent.
    while (position < parent.end && parent.end - position >= 2) {
        const auto length = rt::checkedRead(reader.u16At(position));
        if (length == 0) {
            return std::nullopt;
        }
        const auto child = viewNode(block, position, parent.end, BlockLayout::Ansi16);
        if (child && equalsIgnoringCase(keyOf(block, *child), name)) {
            return child;
        }
        position += align4(length);
    }
    return std::nullopt;
}

}  // namespace

std::optional<QueryAnswer> queryAnsiBlock(std::span<const std::byte> block, std::string_view path) {
    if (detectLayout(block) != BlockLayout::Ansi16) {
        return std::nullopt;
    }
    auto node = viewNode(block, 0, block.size(), BlockLayout::Ansi16);
    if (!node) {
        return std::nullopt;
    }
    std::size_t depth = 0;
    bool underStringFileInfo = false;
    while (!path.empty()) {
        const auto cut = path.find('\\');
        const auto part = path.substr(0, cut);
        path = cut == std::string_view::npos ? std::string_view{} : path.substr(cut + 1);
        if (part.empty()) {
            continue;
        }
        node = findChild(block, *node, part);
        if (!node) {
            return std::nullopt;
        }
        if (depth == 0) {
            underStringFileInfo = equalsIgnoringCase(part, kStringFileInfo);
        }
        ++depth;
    }
    if (node->valueLength == 0 || node->valueStart >= node->end) {
        return QueryAnswer{node->keyEnd, 0};
    }
    const auto room = node->end - node->valueStart;
    if (underStringFileInfo && depth == kStringDepth) {
        const auto value = block.subspan(node->valueStart, room);
        if (std::find(value.begin(), value.end(), std::byte{0}) == value.end()) {
            return std::nullopt;
        }
    }
    return QueryAnswer{node->valueStart, std::min<std::size_t>(node->valueLength, room)};
}

}  // namespace rt::version
