// A form of the component's own (the About box) as its design: caption, client size and
// children, each with its place in twips, its text and colours, or its picture's pixels. The
// platform shows such a form modally: the call returns when the user closes it, and the
// host's own windows take no input meanwhile.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/Host.h"

namespace cp {

enum class FormChildKind { Picture, TextBox, Label };

// A picture's pixels, &H00RRGGBB each, the top row first.
struct PicturePixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

struct FormChild {
    std::string_view name;
    FormChildKind kind;
    float left, top, width, height;  // twips of the form's client area
    std::string_view text;           // a text box's or label's text
    OLE_COLOR backColor = 0;
    OLE_COLOR foreColor = 0;
    PicturePixels (*picture)() = nullptr;  // a picture's pixels, made when the form is
};

struct FormDesign {
    std::string_view name;  // one form of each name exists per user-interface thread
    std::string_view caption;
    float clientWidth, clientHeight;  // twips
    std::span<const FormChild> children;
};

namespace host {

// Shows the form modally; returns when it is closed.
void ShowModalForm(const FormDesign& design);

}  // namespace host
}  // namespace cp
