#include "tests/frame/FrameFixture.h"

#include <cstdio>

namespace cp::test {
namespace {

std::string RectText(const RECT& r) {
    char text[64];
    std::snprintf(text, sizeof text, "%d,%d,%d,%d", r.left, r.top, r.right, r.bottom);
    return text;
}

}  // namespace

float FrameTest::ButtonX() {
    const RECT r = DrawnButton();
    return static_cast<float>((r.left + r.right) / 2 * kTwipsPerPixel);
}

float FrameTest::ButtonY() {
    const RECT r = DrawnButton();
    return static_cast<float>((r.top + r.bottom) / 2 * kTwipsPerPixel);
}

std::string Describe(const sim::DrawRecord& record) {
    char text[96];
    switch (record.op) {
        case sim::DrawOp::FillRect:
            std::snprintf(text, sizeof text, "Fill(%s #%06x)", RectText(record.rect).c_str(),
                          record.fillColor);
            return text;
        case sim::DrawOp::DrawEdge:
            std::snprintf(text, sizeof text, "Edge(%s %u/%u)", RectText(record.rect).c_str(),
                          record.edge, record.flags);
            return text;
        case sim::DrawOp::BitBlt:
            std::snprintf(text, sizeof text, "Blt(%d,%d %dx%d from %d,%d)", record.rect.left,
                          record.rect.top, record.rect.right - record.rect.left,
                          record.rect.bottom - record.rect.top, record.srcPoint.x,
                          record.srcPoint.y);
            return text;
        default:
            return "Other";
    }
}

std::vector<std::string> Describe(const std::vector<sim::DrawRecord>& records) {
    std::vector<std::string> texts;
    for (const sim::DrawRecord& record : records)
        texts.push_back(Describe(record));
    return texts;
}

std::vector<std::string> RaisedLook() {
    return {"Fill(63,2,79,19 #ffffff)", "Fill(63,2,79,19 #c0c0c0)", "Edge(63,2,79,19 5/15)",
            "Blt(67,8 8x5 from 0,0)"};
}

std::vector<std::string> PressedLook() {
    return {"Fill(63,2,79,19 #ffffff)", "Fill(63,2,79,19 #c0c0c0)", "Edge(63,2,79,19 10/16399)",
            "Blt(68,9 8x5 from 0,0)"};
}

}  // namespace cp::test
