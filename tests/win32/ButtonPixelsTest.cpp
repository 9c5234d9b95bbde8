// The drop-down button as the user sees it on the real window system: the glyph copied from
// the component's bitmap resource to its place for the raised, pressed and disabled button,
// and the face drawn raised or sunken.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/win32/WindowsApi.h"
#include "tests/win32/RealControl.h"

namespace cp::test {
namespace {

// The control at its design size, 1215 x 315 twips, with the 3-D frame: the button is
// (63, 2) - (79, 19) in its client area.
const win32::Placement kDesignSize{600, 600, 1215, 315};
constexpr POINT kRaisedGlyph{67, 8};
constexpr POINT kPressedGlyph{68, 9};
constexpr int kButtonLeft = 63;
constexpr int kButtonTop = 2;
constexpr int kButtonRight = 79;   // exclusive
constexpr int kButtonBottom = 19;  // exclusive

// The glyph's rows: K black, L light grey, D dark grey, W white.
constexpr std::array<const char*, 5> kNormalGlyph = {"KKKKKKKL", "LKKKKKLL", "LLKKKLLL", "LLLKLLLL",
                                                     "LLLLLLLL"};
constexpr std::array<const char*, 5> kGreyGlyph = {"DDDDDDDL", "LDDDDDWW", "LLDDDWWL", "LLLDWWLL",
                                                   "LLLLWLLL"};

COLORREF ColourOf(char letter) {
    return letter == 'K'   ? 0x000000
           : letter == 'D' ? 0x808080
           : letter == 'W' ? 0xFFFFFF
                           : 0xC0C0C0;
}

// The glyph as the window shows it at `at`, in letters, for readable failures.
std::string ShownGlyph(HWND hWnd, POINT at, const std::array<const char*, 5>& expected) {
    std::string shown;
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 8; ++x) {
            const COLORREF pixel = PixelAt(hWnd, at.x + x, at.y + y);
            shown += pixel == ColourOf(expected[y][x]) ? expected[y][x] : '?';
        }
        shown += '/';
    }
    return shown;
}

std::string Joined(const std::array<const char*, 5>& rows) {
    std::string joined;
    for (const char* row : rows)
        joined += std::string(row) + '/';
    return joined;
}

// A point on the button, in pixels of the control's client area.
const LPARAM kOnButton = MAKELPARAM(70, 10);

TEST(ButtonPixels, RaisedPressedAndGreyGlyphsStandAtTheirPlaces) {
    RealControl scene(kDesignSize);
    scene.FillNumbered(3);
    HWND window = scene.Window();
    EXPECT_EQ(ShownGlyph(window, kRaisedGlyph, kNormalGlyph), Joined(kNormalGlyph));
    // The raised face: light top-left and dark bottom-right edges around the grey face.
    EXPECT_EQ(PixelAt(window, kButtonLeft, kButtonTop), ::GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(PixelAt(window, kButtonRight - 1, kButtonBottom - 1),
              ::GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(PixelAt(window, kButtonLeft + 2, kButtonTop + 2), 0xC0C0C0u);

    // Held down on the button: the pressed glyph, one pixel right and down, in a flat sunken
    // face.
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, kOnButton);
    Pump();
    EXPECT_TRUE(::IsWindowVisible(scene.List()));
    EXPECT_EQ(ShownGlyph(window, kPressedGlyph, kNormalGlyph), Joined(kNormalGlyph));
    EXPECT_EQ(PixelAt(window, kButtonLeft, kButtonTop), ::GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(PixelAt(window, kButtonRight - 1, kButtonBottom - 1), ::GetSysColor(COLOR_3DSHADOW));
    ::SendMessageW(window, WM_LBUTTONUP, 0, kOnButton);
    Pump();
    EXPECT_EQ(ShownGlyph(window, kRaisedGlyph, kNormalGlyph), Joined(kNormalGlyph));
    scene.control().HideListBox(AfterHide::FocusEditField);

    // A disabled control shows the grey glyph; enabled again, the black one.
    scene.control().Enabled(false);
    Pump();
    EXPECT_EQ(ShownGlyph(window, kRaisedGlyph, kGreyGlyph), Joined(kGreyGlyph));
    ::InvalidateRect(window, nullptr, TRUE);
    ::UpdateWindow(window);
    EXPECT_EQ(ShownGlyph(window, kRaisedGlyph, kGreyGlyph), Joined(kGreyGlyph))
        << "a repaint draws the same";
    scene.control().Enabled(true);
    Pump();
    EXPECT_EQ(ShownGlyph(window, kRaisedGlyph, kNormalGlyph), Joined(kNormalGlyph));
    EXPECT_TRUE(scene.boxes.Calls().empty());
}

}  // namespace
}  // namespace cp::test
