// The rows of a large table made ready for the word-start and any-part searches before the first
// keystroke. Those searches read the folded text of the searched columns, which a fill leaves to
// be made: made by the first keystroke, a million rows would hold it up for a tenth of a second.
// Made in idle steps after the fill (or after the search settings change), between the thread's
// messages, they are ready long before a person types; a keystroke that comes first folds what
// is still missing itself, as before. A small table is folded by its first keystroke in a
// millisecond or two and needs no steps.
#include "control/ColumnPick.h"
#include "control/IdleWork.h"
#include "reports/ErrorReport.h"

namespace cp {
namespace {

constexpr std::int32_t kRowsFoldedByKeystroke = 1 << 16;

}  // namespace

void ColumnPick::ScheduleFoldSteps() {
    if (search.rule.mode == cp::MatchMode::Prefix || server.Active()) return;
    if (rows.Count() <= kRowsFoldedByKeystroke) return;
    if (!foldSteps) foldSteps = UserControl.MakeIdleStep([this] { ContinueFoldSteps(); });
    foldSteps->Schedule();
}

void ColumnPick::ContinueFoldSteps() {
    TrappedSub("ContinueFoldSteps", [&] {
        // The settings may have gone back to the prefix since the step was asked for.
        if (search.rule.mode == cp::MatchMode::Prefix || server.Active()) return;
        const bool more = idle_work::RunOneStep(
            [&] { return rows.FoldAhead(search.rule, idle_work::kStretchRows); });
        if (more) foldSteps->Schedule();
    });
}

}  // namespace cp
