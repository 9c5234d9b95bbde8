// A control on a form that fills the screen's top-left corner, so that a control's place on the
// form is its place on the screen.
#pragma once

#include <string>

#include "runtime/Conversions.h"
#include "tests/support/sim/ControlOnForm.h"

namespace cp::test {

class DropDownTest : public ControlOnForm {
protected:
    DropDownTest() : ControlOnForm({.form = {.left = 0, .top = 0, .width = 800, .height = 600}}) {}

    // A control whose window stands at (left, top) on the screen, in pixels, 21 pixels high.
    ColumnPick& PlaceAt(int left = 40, int top = 40, float width = 2250) {
        return Place({.left = static_cast<float>(left * kTwipsPerPixel),
                      .top = static_cast<float>(top * kTwipsPerPixel),
                      .width = width});
    }
    // A control loaded with 16 list rows, more than the list's row bands, which only a stored
    // value can give.
    void PlaceWithSixteenListRows() {
        sim::PropertyStore bag;
        bag.Set("ListRows", Variant(std::int16_t{16}));
        Place({.left = 600, .top = 600, .width = 2250, .properties = &bag});
    }
    // Rows "Row 0" to "Row n-1" in one column.
    void Fill(int rows) {
        control().ColumnWidths("");
        for (int r = 0; r < rows; ++r)
            control().AddItem("Row " + std::to_string(r));
    }
};

}  // namespace cp::test
