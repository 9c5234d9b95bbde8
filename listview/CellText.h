// A cell's text as the list draws it, in the rows and in the header: one line, centred
// vertically, an ampersand drawn as it is, placed by the column's alignment.
#pragma once

#include <string>

#include "control/StateRecord.h"
#include "platform/basApi.h"

namespace cp {

inline constexpr LONG kFirstColumnMargin = 3;  // pixels left of column 0's text
inline constexpr int kCellTextInset = 2;       // a cell's text may use its width less this
inline constexpr UINT kCellTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

// Draws text (nothing for an empty one) in rect: a left-aligned text from rect's left edge,
// a right-aligned or centred one within rect less the inset on either side.
void DrawCellText(HDC hDC, const std::string& text, RECT& rect, ColumnAlignment alignment);

// Where DrawCellText puts the left edge of a text `textWidth` pixels wide.
LONG AlignedTextLeft(const RECT& rect, ColumnAlignment alignment, int textWidth);

}  // namespace cp
