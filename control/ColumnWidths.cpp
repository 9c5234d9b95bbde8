#include "control/ColumnPick.h"
#include "reports/ErrorReport.h"
#include "reports/Messages.h"
#include "reports/Reports.h"
#include "runtime/Conversions.h"
#include "runtime/ScreenUnits.h"
#include "table/ItemString.h"

namespace cp {
namespace {

// The first column is never narrower than this (60 twips), so that a first width of 0 always
// means "not set yet".
constexpr std::int32_t kMinimumFirstColumn = 4;

}  // namespace

void ColumnPick::ColumnWidths(const std::string& value) {
    Trapped(titles::kColumnWidths, [&] {
        if (value.empty()) {
            // Equal widths that share the list's width: the control's own width (a Single)
            // when the list is as wide as the control.
            double w = 0;
            if (settings.intListWidth == -1) {
                w = UserControl.Width() / static_cast<float>(settings.intColumnCount) /
                    static_cast<float>(TwipsPerPixel());
            } else {
                w = static_cast<double>(settings.intListWidth) / settings.intColumnCount /
                    TwipsPerPixel();
            }
            const std::int16_t width = CInt(Floor(w));
            // A column count below 1 (only a stored one can be) sizes no table of widths.
            if (settings.intColumnCount < 1) Raise(vberr::SubscriptOutOfRange);
            columns.lngColumnWidths.assign(static_cast<std::size_t>(settings.intColumnCount),
                                           width);
        } else {
            const std::vector<std::string_view> fields = SplitFields(value);
            if (static_cast<std::int64_t>(fields.size()) > settings.intColumnCount) {
                UsageMessage(messages::TooManyWidths(static_cast<std::int64_t>(fields.size()),
                                                     settings.intColumnCount));
                return;
            }
            // Columns without a width of their own stay hidden (0).
            columns.lngColumnWidths.assign(static_cast<std::size_t>(settings.intColumnCount), 0);
            for (std::size_t i = 0; i < fields.size(); ++i) {
                columns.lngColumnWidths[i] = CLng(Floor(CDbl(fields[i]) / TwipsPerPixel()));
            }
        }
        if (columns.lngColumnWidths[0] < kMinimumFirstColumn)
            columns.lngColumnWidths[0] = kMinimumFirstColumn;
    });
}

}  // namespace cp
