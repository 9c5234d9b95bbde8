// A long filtered list without holding up the first screen: the keystroke finds the rows of the
// first screen (and one more, to know whether others follow) and shows them at once; the rest
// is found in steps of a few milliseconds between the thread's messages, and the list's count
// and scroll bar grow until they settle. Whatever needs every row (the keys and the mouse past
// the rows found, the scroll bar, a reader counting the rows) finds the rest at once first.
//
// A step that comes after the list stopped growing (another keystroke, a change of the rows or
// of the settings, which show other rows) finds nothing to do: the steps belong to the rows
// that are shown.
#include "control/ColumnPick.h"
#include "control/IdleWork.h"
#include "reports/ErrorReport.h"

namespace cp {
namespace {

// A table of this many rows is searched whole within the keystroke (a millisecond or two).
constexpr std::int32_t kRowsFoundAtOnce = 1 << 15;

}  // namespace

void ColumnPick::ShowRowsFor(const std::string& text) {
    // On the server, a text's rows come with the answer to it; until then the list shows the
    // rows it showed.
    if (server.Active() && search.blnFilterList && !text.empty()) return;
    if (!search.blnFilterList || text.empty() || server.Active()) {
        ShowAllRows();
        return;
    }
    // The first screen and one row more: whether the list scrolls is known at once.
    const auto firstScreen =
        static_cast<std::size_t>(std::max<std::int16_t>(settings.intListRows, 1)) + 1;
    FirstMatches first = rows.StartMatches(search.rule, text, firstScreen);
    shown.Show(rows, std::move(first.rows), text,
               first.whole ? FilterAnswer::Whole : FilterAnswer::Growing);
    ForgetAnnouncedRow();
    if (rows.Count() <= kRowsFoundAtOnce) {
        FinishShownRows();
    } else if (shown.Growing(rows)) {
        ScheduleListSteps();
    }
    MatchListWindowCount();
    FitOpenListToRows();
}

void ColumnPick::ScheduleListSteps() {
    if (!listSteps) listSteps = UserControl.MakeIdleStep([this] { ContinueListSteps(); });
    listSteps->Schedule();
}

void ColumnPick::ContinueListSteps() {
    TrappedSub("ContinueListSteps", [&] {
        if (!shown.Growing(rows)) return;
        std::vector<std::int32_t> more;
        AnswerProgress progress = AnswerProgress::More;
        idle_work::RunOneStep([&] {
            progress = rows.ResumeMatches(idle_work::kStretchRows, more);
            return progress == AnswerProgress::More;
        });
        GrowShownRows(more, progress);
        if (shown.Growing(rows)) listSteps->Schedule();
    });
}

void ColumnPick::FinishShownRows() {
    if (listSteps) listSteps->Cancel();
    // A search that lost its answer starts again, and is finished in its turn.
    while (shown.Growing(rows)) {
        std::vector<std::int32_t> more;
        AnswerProgress progress = AnswerProgress::More;
        while (progress == AnswerProgress::More)
            progress = rows.ResumeMatches(idle_work::kStretchRows, more);
        GrowShownRows(more, progress);
    }
    if (listSteps) listSteps->Cancel();
}

void ColumnPick::GrowShownRows(const std::vector<std::int32_t>& more, AnswerProgress progress) {
    if (progress == AnswerProgress::Dropped) {
        // The search lost its answer (the host's locale changed, say): the text is searched
        // again from its start.
        const std::string text = shown.Text(rows);
        shown.ShowAll();
        ShowRowsFor(text);
        return;
    }
    shown.Grow(more,
               progress == AnswerProgress::Whole ? FilterAnswer::Whole : FilterAnswer::Growing);
    MatchListWindowCount();
}

}  // namespace cp
