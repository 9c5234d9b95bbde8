// Typing in server mode: the first row of the typed text comes from the query thread
// (control/ServerQueries.h), so a keystroke is taken and shown at once and the completion
// follows when the server answers. Only the answer to the newest text is applied. A word start
// or any part of a row (MatchMode 1 and 2) is asked for the same way and answered from the
// server's own indexes; its row becomes current and the text stays as typed.
//
// What acts on the row the text found waits for that answer first, for at most kAnswerBound:
// Enter, the focus leaving, the list opening, the navigation keys and a host's put of Text. A
// server slower than that leaves the text standing for no row: Enter then raises NotInList
// rather than commit a row found for an older text.
//
// A text that stands for no row (emptied, or one that finds none) shows the table's first rows
// in the list; where they were not read, they come from the query thread as well. So do the
// rows around the committed row when the list opens on it after it moved far from it: the row
// is current at once, and the list goes to it when they come.
#include <algorithm>
#include <chrono>

#include "control/ColumnPick.h"
#include "reports/ErrorReport.h"
#include "runtime/Conversions.h"
#include "runtime/Utf8.h"

namespace cp {
namespace {

constexpr std::chrono::milliseconds kAnswerBound{5000};

}  // namespace

bool ColumnPick::AskServer(const std::string& text, Completion completion) {
    if (!server.Active()) return false;
    if (text.empty()) {
        // The emptied text stands for no row at once; the list's top rows, which it shows then,
        // may lie far from the rows read, so they come from the query thread as a typed text's
        // rows do. Until then the list shows what it showed (a filtered list its rows).
        queries.AskTop(text);
        ForgetListSelection();
        return true;
    }
    queries.Ask(text, completion, ServerSearch(),
                search.blnFilterList ? ListFilter::Matches : ListFilter::AllRows);
    return true;
}

std::optional<FieldSearch> ColumnPick::ServerSearchOf(const SearchRule& rule) {
    if (rule.mode == cp::MatchMode::Prefix) return std::nullopt;
    FieldSearch asked;
    asked.match =
        rule.mode == cp::MatchMode::WordStart ? FieldMatch::WordStart : FieldMatch::Contains;
    asked.fields.assign(rule.columns.begin(), rule.columns.end());
    return asked;
}

void ColumnPick::CheckServerSearch(KeyedRows* source, const SearchRule& rule) {
    if (!source) return;
    if (const auto asked = ServerSearchOf(rule)) source->CheckSearch(*asked);
}

std::int32_t ColumnPick::FindServerMatch(const std::string& text) {
    std::int32_t row = -1;
    Trapped(titles::kFindItemInArray, [&] {
        const std::shared_ptr<KeyedRows>& source = server.Source();
        if (!source) return;
        try {
            const LocatedRow located = ServerRows::Locate(
                *source, source->FirstMatching(*ServerSearch(), text), server.HowPlaced());
            ServerMarks marks = MarksOnServer();
            row = server.Adopt(located, marks);
            KeepMarksOnServer(marks);
        } catch (...) {
            // The server's failure is reported as the reads of the list report theirs.
            server.ReportFailure(std::current_exception());
        }
        FollowServerCount();
    });
    return row;
}

void ColumnPick::FindServerRowOf(const LocatedRow& first) {
    std::int32_t row = -1;
    try {
        ServerMarks marks = MarksOnServer();
        row = server.Adopt(ServerRows::Locate(*server.Source(), first.found, server.HowPlaced()),
                           marks);
        KeepMarksOnServer(marks);
    } catch (...) {
        server.ReportFailure(std::current_exception());
    }
    FollowServerCount();
    if (row == -1) {
        ClearListSelection();
    } else {
        SelectRowInListBox(row);
    }
}

void ColumnPick::TakeServerAnswer() {
    TrappedSub("TakeServerAnswer", [&] {
        if (auto answer = queries.Take()) ApplyServerAnswer(*answer);
        if (auto ahead = queries.TakeAhead()) KeepServerRowsAhead(*ahead);
    });
}

void ColumnPick::ReadServerAhead() {
    // A filtered list reads its own rows.
    if (!server.Active() || serverFilter.Active() || !lstListBox.Visible()) return;
    for (AheadRead& ahead : server.AheadOf(lstListBox.TopIndex(), settings.intListRows)) {
        if (queries.ReadAhead(std::move(ahead))) return;
    }
}

void ColumnPick::KeepServerRowsAhead(const ServerQueries::AheadAnswer& ahead) {
    // A failed read is left to the list's own read, which reports it when it needs the rows.
    if (ahead.failed || !server.Active()) return;
    // The list may have moved on by more than a page meanwhile.
    if (server.KeepAhead(ahead.asked, ahead.rows)) ReadServerAhead();
}

void ColumnPick::SettleServerAnswer() {
    if (!server.Active()) return;
    // An answer may ask for more, which is waited for too within the same bound: a text that
    // finds no row asks for the table's first rows, from which the keys then move.
    const auto end = std::chrono::steady_clock::now() + kAnswerBound;
    while (queries.Outstanding()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        auto answer = queries.Await(std::max(left, std::chrono::milliseconds{0}));
        if (!answer) break;
        ApplyServerAnswer(*answer);
    }
    if (!queries.Outstanding()) return;
    const Asked asked = queries.NewestAsked();
    queries.Forget();
    // The rows around a row kept by itself never came: it stays current by itself, and the
    // keys bring it back into the list as they do any row kept so.
    if (asked == Asked::KeptRow) return;
    // An emptied text whose top rows never came shows every row all the same.
    if (txtTextBox.Text().empty()) EndServerFilter();
    ClearListSelection();
}

bool ColumnPick::AskServerTop() {
    // A filtered list's first rows came with its text's answer.
    if (!server.Active() || serverFilter.Active()) return false;
    if (server.Holds(0, settings.intListRows)) return false;
    queries.AskTop(txtTextBox.Text());
    return true;
}

void ColumnPick::ShowServerTop(const ServerQueries::Answer& answer) {
    if (answer.failure) server.ReportFailure(answer.failure);
    // The control or the host wrote a text since: the top rows are of no use to it.
    if (txtTextBox.Text() != answer.text) return;
    if (answer.text.empty()) {
        EndServerFilter();
    } else if (serverFilter.Active()) {
        // FilterList was put on since: the list shows the rows the text finds.
        return;
    }
    ServerMarks marks = MarksOnServer();
    server.Adopt(answer.located, marks);
    KeepMarksOnServer(marks);
    FollowServerCount();
    // Rows that could not be read are not read here either: the list then stays where it is.
    if (!answer.failure) lstListBox.SetTopIndex(0);
    ForgetListSelection();
}

bool ColumnPick::AskServerKeptRow(std::int32_t slot) {
    std::optional<KeyedRow> row = server.ToBring(slot);
    if (!row) return false;
    queries.AskKept(txtTextBox.Text(), std::move(*row));
    return true;
}

void ColumnPick::ShowServerKeptRow(const ServerQueries::Answer& answer) {
    if (answer.failure) server.ReportFailure(answer.failure);
    if (txtTextBox.Text() != answer.text || !answer.located.found) return;
    // Only while the current row is still the row kept: a pick of another row moved it.
    const std::int32_t current = rows.ListIndex();
    const std::optional<RowKey> kept =
        ServerRows::KeptByItself(current) ? server.KeyAt(current) : std::nullopt;
    if (!kept || !SameKey(kept->unique, answer.located.found->key.unique)) return;
    ServerMarks marks = MarksOnServer();
    const std::int32_t slot = server.BringLocated(answer.located, marks);
    KeepMarksOnServer(marks);
    FollowServerCount();
    if (slot < 0 || !dropDown.blnComboBoxIsOpen) return;
    lstListBox.SetTopIndex(ListRowOf(slot));
    SelectQuietly(slot);
    // The list opened on the row before it could show it: a reader hears of it now.
    AnnounceCurrentRow(slot);
}

void ColumnPick::SettleServerCount() {
    if (!server.Active() || !queries.Busy()) return;
    if (auto answer = queries.AwaitCount(kAnswerBound)) ApplyServerAnswer(*answer);
}

void ColumnPick::ApplyServerAnswer(const ServerQueries::Answer& answer) {
    if (answer.asked == Asked::TableTop) {
        ShowServerTop(answer);
        return;
    }
    if (answer.asked == Asked::KeptRow) {
        ShowServerKeptRow(answer);
        return;
    }
    if (!answer.matches && answer.matchCount) {
        // The count of the rows shown, which followed them.
        serverFilter.Counted(answer.text, *answer.matchCount);
        FollowServerCount();
        return;
    }
    std::int32_t row = -1;
    if (answer.failure) {
        server.ReportFailure(answer.failure);
    } else if (answer.matches) {
        // The rows of a text typed over are of no use; nor are they with FilterList put off
        // since, when the list shows every row again and the text is found as without it.
        if (txtTextBox.Text() != answer.text) return;
        if (!search.blnFilterList) {
            FindServerRowOf(answer.located);
            return;
        }
        ShowServerMatches(answer);
        row = serverFilter.Slot(0);
    } else {
        ServerMarks marks = MarksOnServer();
        row = server.Adopt(answer.located, marks);
        KeepMarksOnServer(marks);
    }
    FollowServerCount();
    // The text changed since it was asked about (a write of the control's or the host's): the
    // answer is of no use to it.
    if (txtTextBox.Text() != answer.text) return;
    if (row == -1) {
        ClearListSelection();
        return;
    }
    SelectRowInListBox(row);
    if (answer.completion != Completion::Complete) return;
    // As in typing: the completion comes only while the caret stands at the end of the text,
    // and its tail is selected so that the next character replaces it.
    const std::int32_t caret = txtTextBox.SelStart();
    if (utf8::Length(answer.text) != static_cast<std::size_t>(caret)) return;
    ShowCurrentRowText();
    SelectTextToEnd(CInt(static_cast<double>(caret)));
}

}  // namespace cp
