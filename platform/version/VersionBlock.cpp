#include "VersionBlock.h"

#include <algorithm>

#include "BlockLocation.h"
#include "Cp1252.h"
#include "platform/base/ByteReader.h"

namespace rt::version {

namespace {

constexpr std::string_view kStringFileInfo = "StringFileInfo";
constexpr std::size_t kMaxNotes = 64;

// Where a node sits decides whether its value is text: the 16-bit layout has
// no type field, and 32-bit files exist whose strings say wType 0.
enum class Role { Root, StringFileInfo, StringTable, String, Other };

Role childRole(Role parent, std::string_view childKey) {
    switch (parent) {
        case Role::Root:
            return equalsIgnoringCase(childKey, kStringFileInfo) ? Role::StringFileInfo : Role::Other;
        case Role::StringFileInfo:
            return Role::StringTable;
        case Role::StringTable:
            return Role::String;
        default:
            return Role::Other;
    }
}

class TreeReader {
  public:
    TreeReader(std::span<const std::byte> block, BlockLayout layout, std::vector<std::string>& notes)
        : m_block(block), m_layout(layout), m_notes(notes) {}

    std::string keyOf(const NodeView& view) const {
        const auto key = m_block.subspan(view.keyStart, view.keyEnd - view.keyStart);
        if (m_layout == BlockLayout::Unicode32) {
            return utf16ToCp1252(key);
        }
        return {reinterpret_cast<const char*>(key.data()), key.size()};
    }

    VersionNode read(const NodeView& view, Role role, int depth) {
        VersionNode node;
        node.offset = view.start;
        node.key = keyOf(view);
        if (view.isCut()) {
            note("\"" + node.key + "\" at " + hex(view.start) + " declares " +
                 std::to_string(view.declaredLength) + " bytes but only " +
                 std::to_string(view.end - view.start) + " remain in its parent; cut there");
        }
        readValue(view, role, node);
        if (depth >= kMaxBlockDepth) {
            if (view.childrenStart < view.end) {
                note("children of \"" + node.key + "\" lie deeper than " + std::to_string(kMaxBlockDepth) +
                     " levels; ignored");
            }
            return node;
        }
        std::size_t position = view.childrenStart;
        while (position < view.end) {
            const auto length = rt::ByteReader(m_block).u16At(position);
            if (!length || (view.end - position) < 2) {
                break;
            }
            if (*length == 0) {
                note("a child of length 0 at " + hex(position) + " ends the list of \"" + node.key + "\"");
                break;
            }
            const auto child = viewNode(m_block, position, view.end, m_layout);
            if (child) {
                const auto key = keyOf(*child);
                node.children.push_back(read(*child, childRole(role, key), depth + 1));
            } else {
                note("the child of \"" + node.key + "\" at " + hex(position) +
                     " has no complete header or terminated key inside it; skipped");
            }
            position += align4(*length);
        }
        return node;
    }

  private:
    void readValue(const NodeView& view, Role role, VersionNode& node) const {
        if (view.valueLength == 0) {
            return;
        }
        const auto start = std::min(view.valueStart, view.end);
        const auto room = m_block.subspan(start, view.end - start);
        const bool isText = role == Role::String ||
                            (m_layout == BlockLayout::Unicode32 && view.type == 1 && role != Role::Root);
        if (isText) {
            node.kind = ValueKind::Text;
            if (m_layout == BlockLayout::Unicode32) {
                node.text = utf16ToCp1252(room);
            } else {
                const auto nul = std::find(room.begin(), room.end(), std::byte{0});
                node.text.assign(reinterpret_cast<const char*>(room.data()),
                                 static_cast<std::size_t>(nul - room.begin()));
            }
            return;
        }
        node.kind = ValueKind::Binary;
        const auto bytes = std::min<std::size_t>(view.valueLength, room.size());
        node.binary.assign(room.begin(), room.begin() + static_cast<std::ptrdiff_t>(bytes));
    }

    void note(std::string text) {
        if (m_notes.size() < kMaxNotes) {
            m_notes.push_back(std::move(text));
        }
    }

    std::span<const std::byte> m_block;
    BlockLayout m_layout;
    std::vector<std::string>& m_notes;
};

class AnsiWriter {
  public:
    Result<void, Error> write(const VersionNode& node) {
        const auto start = m_out.size();
        putU16(0);  // wLength, filled in below
        std::uint16_t valueLength = 0;
        if (node.kind == ValueKind::Text) {
            valueLength = static_cast<std::uint16_t>(std::min<std::size_t>(node.text.size() + 1, 0xFFFF));
        } else if (node.kind == ValueKind::Binary) {
            valueLength = static_cast<std::uint16_t>(std::min<std::size_t>(node.binary.size(), 0xFFFF));
        }
        putU16(valueLength);
        putBytes(node.key.data(), node.key.size());
        m_out.push_back(std::byte{0});
        if (node.kind != ValueKind::None) {
            pad();
            if (node.kind == ValueKind::Text) {
                putBytes(node.text.data(), node.text.size());
                m_out.push_back(std::byte{0});
            } else {
                m_out.insert(m_out.end(), node.binary.begin(), node.binary.end());
            }
        }
        for (const auto& child : node.children) {
            pad();
            if (auto status = write(child); !status) {
                return status;
            }
        }
        const auto length = m_out.size() - start;
        if (length > kMaxBlockLength) {
            return fail(Failure::Malformed, "the version block would take " + std::to_string(length) +
                                                " bytes in the 16-bit layout, more than 65535");
        }
        m_out[start] = static_cast<std::byte>(length & 0xFF);
        m_out[start + 1] = static_cast<std::byte>(length >> 8);
        return {};
    }

    std::vector<std::byte> take() { return std::move(m_out); }

  private:
    void putU16(std::uint16_t value) {
        m_out.push_back(static_cast<std::byte>(value & 0xFF));
        m_out.push_back(static_cast<std::byte>(value >> 8));
    }
    void putBytes(const char* data, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
            m_out.push_back(static_cast<std::byte>(data[i]));
        }
    }
    void pad() { m_out.resize(align4(m_out.size()), std::byte{0}); }

    std::vector<std::byte> m_out;
};

}  // namespace

Result<VersionTree, Error> parseVersionBlock(std::span<const std::byte> block) {
    const rt::ByteReader reader(block);
    const auto declared = reader.u16At(0);
    if (!declared) {
        return fail(Failure::Truncated, "the version block has " + std::to_string(block.size()) +
                                            " bytes, too few for its length");
    }
    const auto layout = detectLayout(block);
    if (!layout) {
        return fail(Failure::Truncated, "the version block has " + std::to_string(block.size()) +
                                            " bytes, too few to tell its layout");
    }
    const auto header = nodeHeaderSize(*layout);
    if (*declared < header) {
        return fail(Failure::Malformed, "block length " + std::to_string(*declared) +
                                            " is smaller than its " + std::to_string(header) +
                                            "-byte header");
    }
    VersionTree tree;
    tree.layout = *layout;
    tree.declaredLength = *declared;
    tree.usedLength = std::min<std::size_t>(*declared, block.size());
    if (tree.usedLength < *declared) {
        tree.notes.push_back("block length " + std::to_string(*declared) + " exceeds the " +
                             std::to_string(block.size()) + " bytes available; cut there");
    }
    const auto used = block.first(tree.usedLength);
    const auto root = viewNode(used, 0, used.size(), *layout);
    if (!root) {
        return fail(Failure::Malformed, "the root key has no terminating NUL inside the " +
                                            std::to_string(used.size()) + "-byte block");
    }
    TreeReader walker(used, *layout, tree.notes);
    const auto key = walker.keyOf(*root);
    if (!equalsIgnoringCase(key, kRootKey)) {
        return fail(Failure::Malformed,
                    "the root key is \"" + key.substr(0, 32) + "\", not \"VS_VERSION_INFO\"");
    }
    tree.root = walker.read(*root, Role::Root, 0);
    return tree;
}

Result<std::vector<std::byte>, Error> encodeAnsiBlock(const VersionNode& root) {
    AnsiWriter writer;
    if (auto status = writer.write(root); !status) {
        return status.error();
    }
    return writer.take();
}

}  // namespace rt::version
