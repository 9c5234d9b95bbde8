// Column widths that fit their texts: each visible column as wide as the widest of its caption
// (with the header shown), the rows on show and a sample of rows spread evenly over the whole
// table, so that a table of millions of rows is measured in bounded time.
#include <algorithm>
#include <cmath>

#include "control/ColumnPick.h"
#include "listview/CellText.h"
#include "listview/MeasuringContext.h"
#include "listview/TruncateText.h"
#include "runtime/Conversions.h"
#include "runtime/ScreenUnits.h"

namespace cp {
namespace {

constexpr std::int64_t kMostSampledRows = 10'000;
constexpr std::int32_t kMinimumFirstColumn = 4;  // as ColumnWidths keeps it

// Whether the rows beyond those on show are sampled too.
enum class Sample { Table, ShownOnly };

// The rows measured: those the list shows from its top row, then the sample.
std::vector<std::int32_t> MeasuredRows(std::int64_t count, std::int32_t top, int shown,
                                       Sample sample) {
    std::vector<std::int32_t> measured;
    for (std::int64_t r = std::max(top, 0); r < count && r < top + shown; ++r)
        measured.push_back(static_cast<std::int32_t>(r));
    if (sample == Sample::ShownOnly) return measured;
    const std::int64_t sampled = std::min(count, kMostSampledRows);
    for (std::int64_t i = 0; i < sampled; ++i)
        measured.push_back(static_cast<std::int32_t>(i * count / sampled));
    return measured;
}

}  // namespace

std::string ColumnPick::FitColumnWidths() {
    const int columnCount = settings.intColumnCount;
    if (columnCount < 1) Raise(vberr::SubscriptOutOfRange);
    // Columns hidden on purpose stay hidden; before any widths every column is fitted.
    const bool widthsSet = columns.lngColumnWidths.at(0) != 0;
    std::vector<std::int32_t> widths(static_cast<std::size_t>(columnCount), 0);
    // A server's table is measured on the rows on show: a sample would read pages all over it.
    const std::int32_t count = server.Active() ? server.Count() : shown.Count(rows);
    const std::int32_t tableColumns =
        server.Active() ? server.FieldCount() : (rows.Count() > 0 ? rows.Items().Extent(0) : 0);
    const std::vector<std::int32_t> measured =
        MeasuredRows(count, lstListBox.TopIndex(), settings.intListRows,
                     server.Active() ? Sample::ShownOnly : Sample::Table);

    MeasuringContext measure(lstListBox.hWnd(), lstListBox.Font());
    for (int c = 0; c < columnCount; ++c) {
        const auto i = static_cast<std::size_t>(c);
        if (widthsSet && (i >= columns.lngColumnWidths.size() || columns.lngColumnWidths[i] == 0))
            continue;
        int widest = columns.blnColumnHeads ? measure.Width(TruncateText(CaptionOf(c))) : 0;
        if (c < tableColumns) {
            for (const std::int32_t row : measured) {
                // The rows measured are numbered as the list shows them: a filtered list and the
                // server's show other rows than the table's at the same numbers.
                const RowCellsAt cells = CellsOf(TableRowOf(row));
                if (!cells.Readable()) continue;
                widest = std::max(widest, measure.Width(TruncateText(cells.Text(c))));
            }
        }
        const int margin = 2 * kCellTextInset + (c == 0 ? kFirstColumnMargin : 0);
        widths[i] = std::max(widest + margin, c == 0 ? kMinimumFirstColumn : 1);
    }
    measure.Release();

    columns.lngColumnWidths = widths;
    std::string twips;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        if (i > 0) twips += ';';
        twips += std::to_string(CLng(widths[i] * TwipsPerPixel()));
    }
    return twips;
}

}  // namespace cp
