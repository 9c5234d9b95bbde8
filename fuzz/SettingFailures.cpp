#include "fuzz/SettingFailures.h"

#include <algorithm>
#include <vector>

#include "runtime/Variant.h"
#include "tests/support/ColumnPickProbe.h"

namespace cp::fuzz {
namespace {

// Rows are drawn with a width for each column: with ColumnCount set after ColumnWidths, the
// widths run out and every row drawn is a subscript failure, reported by the list's drawing.
const ReportBox kShortWidths{"basfile - function2", {vberr::SubscriptOutOfRange}};

// The drawing adds the column widths up in 16 bits, for the column lines: widths that together
// pass 32767 pixels (a width string of absurd numbers) overflow there, row after row.
const ReportBox kWidthsOverflow{"basfile - function2", {vberr::Overflow}};
constexpr std::int64_t kMostPixels = 32767;

// A stored ListRows outside 2 to 15 is loaded as it is; when the list opens with more rows than
// the height table has entries for (or a negative count), the opening fails with a report.
const ReportBox kListRowsBeyondHeights{"ColumnPick - ShowListBox", {vberr::SubscriptOutOfRange}};
constexpr std::int16_t kMostListRows = 15;

// A page is ListRows - 1 rows: with a stored ListRows below 1 the page keys step backwards,
// to a row before the first, which the list refuses.
const ReportBox kPageBackwards{"ColumnPick - SelectNextPreviousItemInListBox",
                               {vberr::InvalidPropertyValue}};

// A disabled control's field cannot take the focus that closing the list gives it back; the
// closing reports that and goes on.
const ReportBox kNoFocusToGive{"ColumnPick - HideListBox", {vberr::InvalidProcedureCall}};

const std::vector<std::int32_t> kConversionErrors = {vberr::Overflow, vberr::TypeMismatch};

bool WidthsOverflow(Session& s) {
    std::int64_t sum = 0;
    for (std::int32_t width : ColumnPickProbe(s.control()).lngColumnWidths())
        sum += width < 0 ? -static_cast<std::int64_t>(width) : width;
    return sum > kMostPixels;
}

bool ListRowsBeyondHeights(Session& s) {
    const std::int16_t rows = s.control().ListRows();
    return rows < 0 || rows > kMostListRows;
}

}  // namespace

void AddReportsOfSettings(Session& s, bool widthsShortBefore, Outcome& allowed) {
    if (widthsShortBefore || WidthsShort(s)) allowed.reports.push_back(kShortWidths);
    if (WidthsOverflow(s)) allowed.reports.push_back(kWidthsOverflow);
    if (ListRowsBeyondHeights(s)) allowed.reports.push_back(kListRowsBeyondHeights);
    if (s.control().ListRows() < 1) allowed.reports.push_back(kPageBackwards);
    if (!s.control().Enabled()) allowed.reports.push_back(kNoFocusToGive);
}

bool WidthsShort(Session& s) {
    ColumnPickProbe probe(s.control());
    return probe.lngColumnWidths().size() < static_cast<std::size_t>(probe.intColumnCount());
}

bool IsConversionError(std::optional<std::int32_t> number) {
    return number && std::find(kConversionErrors.begin(), kConversionErrors.end(), *number) !=
                         kConversionErrors.end();
}

bool HoldsEntryWithoutText(Session& s) {
    const Variant items = s.control().ArrayWithItems();
    for (const Variant& entry : items.Array()->Elements()) {
        try {
            DisplayText(entry);
        } catch (const RuntimeError&) {
            return true;
        }
    }
    return false;
}

}  // namespace cp::fuzz
