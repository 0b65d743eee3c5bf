// How the status windows are drawn and placed inside the frame: what is on
// the screen after each change of state, their fixed frames, the room their
// values get, labels on their values' baseline, and where new ones appear.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "FixtureBuilder.h"
#include "PresenterFixture.h"
#include "platform/window/ReadableColour.h"

namespace {

using namespace rt::win32::test;

RECT rectIn(HWND parent, HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// What the screen shows of a window's inside, pixel by pixel.
std::vector<DWORD> screenOf(HWND window) {
    RECT inside{};
    ::GetClientRect(window, &inside);
    HDC screen = ::GetDC(window);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = inside.right;
    info.bmiHeader.biHeight = -inside.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, inside.right, inside.bottom, screen, 0, 0, SRCCOPY);
    ::GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    std::vector<DWORD> out(
        pixels, pixels + static_cast<std::size_t>(inside.right) * static_cast<std::size_t>(inside.bottom));
    ::SelectObject(memory, previous);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(window, screen);
    return out;
}

bool hasNothingToPaint(HWND window) {
    if (::GetUpdateRect(window, nullptr, FALSE) != 0) {
        return false;
    }
    for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::GetUpdateRect(child, nullptr, FALSE) != 0) {
            return false;
        }
    }
    return true;
}

void settle(HWND frame) {
    waitUntil([&] {
        return std::all_of(statusWindows(frame).begin(), statusWindows(frame).end(), hasNothingToPaint) &&
               hasNothingToPaint(mdiClient(frame));
    });
    ::Sleep(150);
}

// Pixels that differ between what the screen shows now and what the window
// shows once drawn again from scratch: scraps of other windows, half-drawn
// borders.
std::size_t scrapsIn(HWND frame, HWND window) {
    settle(frame);
    const auto shown = screenOf(window);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    settle(frame);
    const auto fresh = screenOf(window);
    if (shown.size() != fresh.size()) {
        return std::max(shown.size(), fresh.size());
    }
    std::size_t differing = 0;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        differing += shown[i] != fresh[i] ? 1U : 0U;
    }
    return differing;
}

class StatusWindowLooks : public ::testing::Test, protected PresenterFixture {};

TEST_F(StatusWindowLooks, EveryChangeOfStateLeavesAWholePicture) {
    std::vector<std::pair<std::string, std::size_t>> scraps;
    runProgram([&](HWND frame) {
        ASSERT_TRUE(openAnotherStatusWindow(frame, 2));
        ASSERT_TRUE(openAnotherStatusWindow(frame, 3));
        HWND client = mdiClient(frame);
        HWND front = activeStatusWindow(frame);
        const auto look = [&](const std::string& step) {
            scraps.emplace_back(step, scrapsIn(frame, activeStatusWindow(frame)));
        };
        ::SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(front), 0);
        look("maximised");
        // Ctrl+F4 on the maximised window; the next one takes over, maximised.
        ::SendMessageA(front, WM_SYSCOMMAND, SC_CLOSE, 0);
        waitUntil([&] { return statusWindows(frame).size() == 2; });
        look("closed while maximised");
        ::SendMessageA(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(activeStatusWindow(frame)), 0);
        look("restored");
        choose(frame, 3, 0);
        look("tiled");
        choose(frame, 3, 1);
        look("cascaded");
    });
    for (const auto& [step, count] : scraps) {
        EXPECT_EQ(count, 0u) << "pixels left over after the window was " << step;
    }
    EXPECT_EQ(scraps.size(), 5u);
}

TEST_F(StatusWindowLooks, FixedFramesKeepTheirSizeAndShowEveryControlWhenTiledOrCascaded) {
    LONG_PTR style = 0;
    std::vector<std::pair<SIZE, SIZE>> sizes;  // before and after tiling, then cascading
    std::size_t closeButtonsInside = 0;
    bool overlapAfterTile = false;
    runProgram([&](HWND frame) {
        style = ::GetWindowLongPtrA(statusWindows(frame).at(0), GWL_STYLE);
        for (std::size_t count = 2; count <= 4; ++count) {
            ASSERT_TRUE(openAnotherStatusWindow(frame, count));
        }
        std::vector<SIZE> before;
        for (HWND window : statusWindows(frame)) {
            RECT inside{};
            ::GetClientRect(window, &inside);
            before.push_back({inside.right, inside.bottom});
        }
        choose(frame, 3, 0);
        settle(frame);
        const auto windows = statusWindows(frame);
        for (std::size_t i = 0; i < windows.size(); ++i) {
            RECT inside{};
            ::GetClientRect(windows[i], &inside);
            sizes.push_back({before[i], SIZE{inside.right, inside.bottom}});
            const RECT button = rectIn(windows[i], ::GetDlgItem(windows[i], kCloseButton));
            closeButtonsInside += button.right <= inside.right && button.bottom <= inside.bottom ? 1 : 0;
            for (std::size_t j = 0; j < i; ++j) {
                RECT both{};
                const RECT a = rectIn(mdiClient(frame), windows[i]);
                const RECT b = rectIn(mdiClient(frame), windows[j]);
                overlapAfterTile = overlapAfterTile || ::IntersectRect(&both, &a, &b) != 0;
            }
        }
        choose(frame, 3, 1);
        settle(frame);
        for (std::size_t i = 0; i < windows.size(); ++i) {
            RECT inside{};
            ::GetClientRect(windows[i], &inside);
            sizes.push_back({before[i], SIZE{inside.right, inside.bottom}});
        }
    });
    EXPECT_FALSE(overlapAfterTile);
    EXPECT_EQ(style & WS_THICKFRAME, 0) << "no sizing border";
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0) << "no Maximize button";
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);
    for (const auto& [before, after] : sizes) {
        EXPECT_EQ(after.cx, before.cx);
        EXPECT_EQ(after.cy, before.cy);
    }
    EXPECT_EQ(closeButtonsInside, 4u);
}

TEST_F(StatusWindowLooks, NewWindowNeverLandsExactlyOnAnOpenOne) {
    std::vector<POINT> places;
    bool newestInside = false;
    runProgram([&](HWND frame) {
        HWND first = activeStatusWindow(frame);
        ASSERT_TRUE(openAnotherStatusWindow(frame, 2));
        HWND second = activeStatusWindow(frame);
        ASSERT_TRUE(openAnotherStatusWindow(frame, 3));
        EXPECT_NE(first, second);
        ::SendMessageA(::GetDlgItem(second, kCloseButton), BM_CLICK, 0, 0);
        ASSERT_TRUE(waitUntil([&] { return statusWindows(frame).size() == 2; }));
        ASSERT_TRUE(openAnotherStatusWindow(frame, 3));
        for (HWND window : statusWindows(frame)) {
            const RECT at = rectIn(mdiClient(frame), window);
            places.push_back({at.left, at.top});
        }
        RECT area{};
        ::GetClientRect(mdiClient(frame), &area);
        const RECT newest = rectIn(mdiClient(frame), activeStatusWindow(frame));
        newestInside =
            newest.left >= 0 && newest.top >= 0 && newest.right <= area.right && newest.bottom <= area.bottom;
    });
    std::set<std::pair<LONG, LONG>> distinct;
    for (const auto& place : places) {
        distinct.insert({place.x, place.y});
    }
    EXPECT_EQ(places.size(), 3u);
    EXPECT_EQ(distinct.size(), places.size());
    EXPECT_TRUE(newestInside);
}

// Tile stacked the windows in one column over the icons' row, the last out
// of reach below the visible area.
TEST_F(StatusWindowLooks, TileLeavesTheIconsRowFreeAndTheScrollBarsReachEveryWindow) {
    bool overlap = false;
    bool overIcon = false;
    bool reached = false;
    std::size_t inView = 0;
    runProgram([&](HWND frame) {
        for (std::size_t count = 2; count <= 4; ++count) {
            ASSERT_TRUE(openAnotherStatusWindow(frame, count));
        }
        HWND client = mdiClient(frame);
        HWND icon = statusWindows(frame).at(0);
        ::SendMessageA(icon, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ASSERT_TRUE(waitUntil([&] { return ::IsIconic(icon) != 0; }));
        choose(frame, 3, 0);
        settle(frame);
        std::vector<RECT> tiled;
        for (HWND window : statusWindows(frame)) {
            if (window != icon) {
                tiled.push_back(rectIn(client, window));
            }
        }
        const RECT iconAt = rectIn(client, icon);
        RECT area{};
        ::GetClientRect(client, &area);
        LONG lowest = 0;
        for (std::size_t i = 0; i < tiled.size(); ++i) {
            RECT both{};
            overIcon = overIcon || ::IntersectRect(&both, &tiled[i], &iconAt) != 0;
            for (std::size_t j = 0; j < i; ++j) {
                overlap = overlap || ::IntersectRect(&both, &tiled[i], &tiled[j]) != 0;
            }
            inView += tiled[i].top >= 0 && tiled[i].bottom <= area.bottom ? 1U : 0U;
            lowest = std::max(lowest, tiled[i].bottom);
        }
        // Scrolled to its end, the area shows the lowest window whole.
        HWND lowestWindow = nullptr;
        for (HWND window : statusWindows(frame)) {
            if (window != icon && rectIn(client, window).bottom == lowest) {
                lowestWindow = window;
            }
        }
        reached = waitUntil([&] {
            ::SendMessageA(client, WM_VSCROLL, SB_BOTTOM, 0);
            RECT view{};
            ::GetClientRect(client, &view);
            const RECT at = rectIn(client, lowestWindow);
            return at.top >= 0 && at.bottom <= view.bottom;
        });
    });
    EXPECT_FALSE(overlap);
    EXPECT_FALSE(overIcon) << "the icons' row stays free";
    EXPECT_GE(inView, 1u);
    EXPECT_TRUE(reached) << "the vertical scroll bar reaches the lowest window";
}

// From the sixth window on new ones went partly outside the area; the
// fourteenth showed only its title bar.
TEST_F(StatusWindowLooks, FourteenNewWindowsEachWhollyInViewNoneExactlyOnAnother) {
    std::vector<std::pair<LONG, LONG>> places;
    std::size_t outside = 0;
    runProgram([&](HWND frame) {
        for (std::size_t count = 2; count <= 14; ++count) {
            ASSERT_TRUE(openAnotherStatusWindow(frame, count));
            RECT area{};
            ::GetClientRect(mdiClient(frame), &area);
            const RECT newest = rectIn(mdiClient(frame), activeStatusWindow(frame));
            outside +=
                newest.left < 0 || newest.top < 0 || newest.right > area.right || newest.bottom > area.bottom
                    ? 1U
                    : 0U;
        }
        for (HWND window : statusWindows(frame)) {
            const RECT at = rectIn(mdiClient(frame), window);
            places.emplace_back(at.left, at.top);
        }
    });
    EXPECT_EQ(outside, 0u);
    const std::set<std::pair<LONG, LONG>> distinct(places.begin(), places.end());
    EXPECT_EQ(places.size(), 14u);
    EXPECT_EQ(distinct.size(), places.size());
}

// Every window was "Vredir.VXD Status", in its title bar and the window menu.
TEST_F(StatusWindowLooks, SeveralWindowsAreNumberedInTitleAndWindowMenuOneAloneIsNot) {
    std::vector<std::string> alone;
    std::vector<std::string> three;
    std::vector<std::string> listed;
    std::vector<std::string> afterClose;
    runProgram([&](HWND frame) {
        const auto titles = [&] {
            std::vector<std::string> shown;
            for (HWND window : statusWindows(frame)) {
                shown.push_back(text(window));
            }
            std::sort(shown.begin(), shown.end());
            return shown;
        };
        alone = titles();
        HWND first = statusWindows(frame).at(0);
        ASSERT_TRUE(openAnotherStatusWindow(frame, 2));
        ASSERT_TRUE(openAnotherStatusWindow(frame, 3));
        three = titles();
        HMENU windowMenu = ::GetSubMenu(::GetMenu(frame), 3);
        for (int i = 0; i < ::GetMenuItemCount(windowMenu); ++i) {
            char entry[64] = {};
            if (::GetMenuItemID(windowMenu, i) >= 0xFF00 &&
                ::GetMenuStringA(windowMenu, static_cast<UINT>(i), entry, sizeof entry, MF_BYPOSITION) > 0) {
                listed.push_back(entry);
            }
        }
        ::SendMessageA(::GetDlgItem(first, kCloseButton), BM_CLICK, 0, 0);
        ASSERT_TRUE(waitUntil([&] { return statusWindows(frame).size() == 2; }));
        afterClose = titles();
    });
    EXPECT_EQ(alone, std::vector<std::string>{"Vredir.VXD Status"});
    EXPECT_EQ(three, (std::vector<std::string>{"Vredir.VXD Status:1", "Vredir.VXD Status:2",
                                               "Vredir.VXD Status:3"}));
    EXPECT_EQ(listed, (std::vector<std::string>{"&1 Vredir.VXD Status:1", "&2 Vredir.VXD Status:2",
                                                "&3 Vredir.VXD Status:3"}));
    EXPECT_EQ(afterClose, (std::vector<std::string>{"Vredir.VXD Status:1", "Vredir.VXD Status:2"}))
        << "the numbers close up";
}

// The colour scheme for the length of a test, given back after.
class ColourScheme {
  public:
    ColourScheme(int element, COLORREF colour) : m_element(element), m_previous(::GetSysColor(element)) {
        ::SetSysColors(1, &m_element, &colour);
    }
    ~ColourScheme() { ::SetSysColors(1, &m_element, &m_previous); }
    ColourScheme(const ColourScheme&) = delete;
    ColourScheme& operator=(const ColourScheme&) = delete;

  private:
    int m_element;
    COLORREF m_previous;
};

// The blue note read at about 1.5:1 in a dark colour scheme.
TEST_F(StatusWindowLooks, BlueNoteReadsOnTheColourSchemeInUseAndStaysBlue) {
    COLORREF onLight = 0;
    COLORREF onDark = 0;
    const auto noteColour = [](HWND window) {
        HDC screen = ::GetDC(nullptr);
        HDC dc = ::CreateCompatibleDC(screen);
        ::SendMessageA(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(::GetDlgItem(window, 7)));
        const COLORREF colour = ::GetTextColor(dc);
        ::DeleteDC(dc);
        ::ReleaseDC(nullptr, screen);
        return colour;
    };
    runProgram([&](HWND frame) {
        HWND window = statusWindows(frame).at(0);
        {
            const ColourScheme light(COLOR_BTNFACE, RGB(240, 240, 240));
            onLight = noteColour(window);
        }
        const ColourScheme dark(COLOR_BTNFACE, RGB(53, 53, 53));
        onDark = noteColour(window);
    });
    const auto rgb = [](COLORREF colour) {
        return rt::Rgb{GetRValue(colour), GetGValue(colour), GetBValue(colour)};
    };
    EXPECT_EQ(onLight, RGB(0, 0, 255)) << "the defined blue where it reads";
    EXPECT_GE(rt::contrastRatio(rgb(onDark), {53, 53, 53}), rt::kReadableContrast);
    EXPECT_EQ(GetBValue(onDark), 255) << "still blue";
    EXPECT_LT(GetRValue(onDark), 255);
}

TEST_F(StatusWindowLooks, LabelsSitOnTheBaselineOfTheirValues) {
    std::vector<int> offsets;
    runProgram([&](HWND frame) {
        HWND window = statusWindows(frame).at(0);
        for (const auto& [label, display] : {std::pair{1, 2}, {3, 4}, {5, 6}}) {
            HWND labelWindow = ::GetDlgItem(window, label);
            HWND displayWindow = ::GetDlgItem(window, display);
            RECT format{};
            ::SendMessageA(displayWindow, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
            POINT origin{0, 0};
            ::MapWindowPoints(displayWindow, window, &origin, 1);
            const auto ascent = [](HWND control) {
                HDC dc = ::GetDC(control);
                HGDIOBJ previous =
                    ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0)));
                TEXTMETRICA metrics{};
                ::GetTextMetricsA(dc, &metrics);
                ::SelectObject(dc, previous);
                ::ReleaseDC(control, dc);
                return static_cast<int>(metrics.tmAscent);
            };
            const int valueBaseline = origin.y + format.top + ascent(displayWindow);
            const int labelBaseline = rectIn(window, labelWindow).top + ascent(labelWindow);
            offsets.push_back(labelBaseline - valueBaseline);
        }
    });
    EXPECT_EQ(offsets, (std::vector<int>{0, 0, 0}));
}

// Versions of forty characters and more, cut to forty: digits, and the
// mixed-case letters a realistic version text holds, which a field measured
// for digits alone cut through the Z.
class LongVersion : public StatusWindowLooks, public ::testing::WithParamInterface<const char*> {};

TEST_P(LongVersion, FortyCharactersFitTheirDisplayWhereTheDefinitionPutsIt) {
    rt::win32::test::writeFile(
        m_folder.file("VREDIR.VXD"),
        keldwick::fixtures::neFile(keldwick::fixtures::encodeAnsi(keldwick::fixtures::versionTree(
                                       keldwick::fixtures::driverContents(GetParam()))))
            .bytes);
    std::string shown;
    int textWidth = 0;
    int room = 0;
    POINT place{};
    POINT defined{};
    bool insideWindow = false;
    runProgram([&](HWND frame) {
        HWND window = statusWindows(frame).at(0);
        HWND display = ::GetDlgItem(window, kVersionDisplay);
        shown = text(display);
        HDC dc = ::GetDC(display);
        HGDIOBJ previous =
            ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(display, WM_GETFONT, 0, 0)));
        SIZE extent{};
        ::GetTextExtentPoint32A(dc, shown.c_str(), static_cast<int>(shown.size()), &extent);
        static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        SIZE letters{};
        ::GetTextExtentPoint32A(dc, kLetters, 52, &letters);
        TEXTMETRICA metrics{};
        ::GetTextMetricsA(dc, &metrics);
        ::SelectObject(dc, previous);
        ::ReleaseDC(display, dc);
        textWidth = extent.cx;
        RECT format{};
        ::SendMessageA(display, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        room = format.right - format.left;
        const RECT at = rectIn(window, display);
        place = {at.left, at.top};
        const int baseX = (letters.cx / 26 + 1) / 2;
        defined = {::MulDiv(67, baseX, 4), ::MulDiv(20, metrics.tmHeight, 8)};
        RECT inside{};
        ::GetClientRect(window, &inside);
        insideWindow = at.right <= inside.right;
    });
    EXPECT_EQ(shown, std::string(GetParam()).substr(0, 40)) << "the field carries 40 characters";
    EXPECT_LE(textWidth, room) << "all 40 characters in view, none behind the border";
    EXPECT_EQ(place.x, defined.x);
    EXPECT_EQ(place.y, defined.y);
    EXPECT_TRUE(insideWindow);
}

INSTANTIATE_TEST_SUITE_P(StatusWindowLooks, LongVersion,
                         ::testing::Values("4.00.1116.01234567890123456789012345678901234567890123456789",
                                           "4.00.1116.ABCDEFGHIJKLMNOPQRSTUVWXYZabcd"));

}  // namespace
