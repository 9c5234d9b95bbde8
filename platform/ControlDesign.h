// The child objects of a ColumnPick as its design creates them, which every host builds the
// same way: the edit field's place, the list window's size until the control first opens it,
// and the eight line objects of the frame, in the order of the ControlSite, with their end
// points and colours at the design width of 1215 twips. Also the default colours that the
// host's objects start with.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <utility>

#include "platform/Host.h"

namespace cp::design {

// The edit field `txtTextBox`, in twips of the control's client area; only its width changes
// later. It is white with black text, the control's own default colours, so that a new control
// saves no colour.
inline constexpr float kEditLeft = 45;
inline constexpr float kEditTop = 45;
inline constexpr float kEditWidth = 900;
inline constexpr float kEditHeight = 240;
inline constexpr OLE_COLOR kEditBackColor = 0xFFFFFF;
inline constexpr OLE_COLOR kEditForeColor = 0x000000;

// The list window: rows of 15 pixels, eight of them (and its border) until the control first
// sizes it.
inline constexpr int kRowHeightPixels = 15;
inline constexpr int kInitialListRows = 8;

// The runtime's default colours of the host's objects (system colours).
inline constexpr OLE_COLOR kButtonFace = static_cast<OLE_COLOR>(0x8000000F);
inline constexpr OLE_COLOR kWindowBackground = static_cast<OLE_COLOR>(0x80000005);
inline constexpr OLE_COLOR kWindowText = static_cast<OLE_COLOR>(0x80000008);

// The line objects, in the order of the ControlSite.
enum class FrameLine : std::size_t {
    OuterTop,
    OuterLeft,
    OuterRight,
    OuterBottom,
    InnerTop,
    InnerLeft,
    InnerRight,
    InnerBottom,
};
inline constexpr std::size_t kFrameLineCount = 8;

// A line object as created: its name on the control, end points in twips, BorderColor.
struct LineDesign {
    std::string_view name;
    float x1, y1, x2, y2;
    OLE_COLOR color;
};

inline constexpr OLE_COLOR kShadowGrey = 0x808080;
inline constexpr OLE_COLOR kWhite = 0xFFFFFF;
inline constexpr OLE_COLOR kLightGrey = 0xE0E0E0;

// The lines are placed for a screen of 96 pixels per inch and the control's fixed height there
// (21 pixels), each a whole number of pixels in from an edge.
inline constexpr float kFrameHeightTwips = 315;
inline constexpr std::array<LineDesign, kFrameLineCount> kFrameLines = {{
    {"linOuterTop", 15, 0, 1200, 0, kShadowGrey},
    {"linOuterLeft", 0, 0, 0, 300, kShadowGrey},
    {"linOuterRight", 1200, 0, 1200, 315, kWhite},
    {"linOuterBottom", 0, 300, 1215, 300, kWhite},
    {"linInnerTop", 15, 15, 1185, 15, kWindowText},
    {"linInnerLeft", 15, 15, 15, 285, kWindowText},
    {"linInnerRight", 1185, 15, 1185, 300, kLightGrey},
    {"linInnerBottom", 15, 285, 1200, 285, kLightGrey},
}};

// A host's eight line objects, each made from its design, in the order of the site.
template <class Line>
std::array<Line, kFrameLineCount> MakeFrameLines() {
    return [&]<std::size_t... i>(std::index_sequence<i...>) {
        return std::array<Line, kFrameLineCount>{Line(kFrameLines[i])...};
    }
    (std::make_index_sequence<kFrameLineCount>());
}

// The site that hands a host's objects to the control.
template <class Line>
ControlSite SiteOf(UserControlHost& userControl, TextBox& textBox, ListBox& listBox,
                   std::array<Line, kFrameLineCount>& lines) {
    return ControlSite{userControl, textBox,  listBox,  lines[0], lines[1], lines[2],
                       lines[3],    lines[4], lines[5], lines[6], lines[7]};
}

}  // namespace cp::design
