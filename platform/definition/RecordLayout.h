#pragma once

#include <cstddef>
#include <cstdint>

// Where things lie in a stored window definition. The walk and the build-time
// compiler both use these, so the two cannot drift apart; the tests check the
// resulting bytes against positions counted by hand instead.
namespace rt::definition::layout {

// The header: the module key with its NUL, then the window-record offset.
// Offsets count from the origin, 20 bytes in, so that the key's last
// character sits at origin offset 0. The layout holds for a key of exactly
// 21 characters, the only length the program uses.
inline constexpr std::size_t kModuleKeyLength = 21;
inline constexpr std::size_t kModuleKeyField = kModuleKeyLength + 1;
inline constexpr std::size_t kOrigin = 20;
inline constexpr std::size_t kWindowOffsetField = kModuleKeyField;
inline constexpr std::size_t kHeaderSize = kWindowOffsetField + 4;
// The first origin offset past the header; nothing may be stored before it.
inline constexpr std::int32_t kFirstBody = static_cast<std::int32_t>(kHeaderSize - kOrigin);

enum class Kind : std::uint8_t {
    StaticText = 2,
    ValueDisplay = 8,
    PushButton = 9,
    Menu = 19,
    MenuItem = 20,
    MenuBar = 22,
    Window = 25,
};

// The common head every record starts with.
inline constexpr std::size_t kKind = 0x00;
inline constexpr std::size_t kNext = 0x01;
inline constexpr std::size_t kFlags = 0x05;

namespace window {
inline constexpr std::size_t kSize = 109;
inline constexpr std::size_t kX = 0x0D;
inline constexpr std::size_t kY = 0x11;
inline constexpr std::size_t kWidth = 0x15;
inline constexpr std::size_t kHeight = 0x19;
inline constexpr std::size_t kFirstControl = 0x1D;
inline constexpr std::size_t kWindowKey = 0x21;
inline constexpr std::size_t kFont = 0x25;
inline constexpr std::size_t kTitle = 0x29;
inline constexpr std::size_t kWindowFlags = 0x51;
inline constexpr std::size_t kMenuBar = 0x5D;
inline constexpr std::size_t kFirstZone = 0x69;
}  // namespace window

namespace menubar {
inline constexpr std::size_t kSize = 17;
inline constexpr std::size_t kFirstMenu = 0x0D;
}  // namespace menubar

// A menu item is the first 53 bytes of a menu record.
namespace menu {
inline constexpr std::size_t kSize = 57;
inline constexpr std::size_t kItemSize = 53;
inline constexpr std::size_t kId = 0x0D;
inline constexpr std::size_t kText = 0x19;
inline constexpr std::size_t kMessage = 0x1D;
inline constexpr std::size_t kActionCode = 0x31;
inline constexpr std::size_t kFirstItem = 0x35;
}  // namespace menu

// Where a control kind keeps its id, position and size.
struct Placement {
    std::size_t id;
    std::size_t x;
    std::size_t y;
    std::size_t width;
    std::size_t height;
};

namespace statictext {
inline constexpr std::size_t kSize = 59;
inline constexpr std::size_t kId = 0x0D;
inline constexpr std::size_t kX = 0x15;
inline constexpr std::size_t kY = 0x19;
inline constexpr std::size_t kWidth = 0x1D;
inline constexpr std::size_t kHeight = 0x21;
inline constexpr std::size_t kText = 0x29;
inline constexpr std::size_t kFont = 0x2D;
inline constexpr Placement kPlacement{kId, kX, kY, kWidth, kHeight};
}  // namespace statictext

namespace valuedisplay {
inline constexpr std::size_t kSize = 82;
inline constexpr std::size_t kId = 0x0D;
inline constexpr std::size_t kVariable = 0x15;
inline constexpr std::size_t kX = 0x19;
inline constexpr std::size_t kY = 0x1D;
inline constexpr std::size_t kWidth = 0x21;
inline constexpr std::size_t kHeight = 0x25;
inline constexpr std::size_t kColours = 0x45;
inline constexpr std::size_t kPicture = 0x49;
// An open field that every value display made for the program carries.
inline constexpr std::size_t kTrailer = 0x4D;
inline constexpr std::uint8_t kTrailerLastByte = 0x80;
inline constexpr Placement kPlacement{kId, kX, kY, kWidth, kHeight};
}  // namespace valuedisplay

namespace pushbutton {
inline constexpr std::size_t kSize = 86;
inline constexpr std::size_t kId = 0x0D;
inline constexpr std::size_t kX = 0x15;
inline constexpr std::size_t kY = 0x19;
inline constexpr std::size_t kWidth = 0x1D;
inline constexpr std::size_t kHeight = 0x21;
inline constexpr std::size_t kText = 0x45;
inline constexpr Placement kPlacement{kId, kX, kY, kWidth, kHeight};
}  // namespace pushbutton

// Sub-records carry no kind byte; they are known only by the field that leads to them.
namespace font {
inline constexpr std::size_t kSize = 16;
inline constexpr std::size_t kName = 0;
inline constexpr std::size_t kPointSize = 4;
inline constexpr std::size_t kTextColour = 8;
inline constexpr std::size_t kFourth = 12;
}  // namespace font

namespace colours {
inline constexpr std::size_t kSize = 12;
inline constexpr std::size_t kBackground = 0;
}  // namespace colours

namespace variable {
inline constexpr std::size_t kSize = 9;
inline constexpr std::size_t kTypeCode = 0;
inline constexpr std::size_t kLength = 1;
}  // namespace variable

namespace zone {
inline constexpr std::size_t kSize = 8;
inline constexpr std::size_t kWidth = 0;
inline constexpr std::size_t kNext = 4;
}  // namespace zone

}  // namespace rt::definition::layout
