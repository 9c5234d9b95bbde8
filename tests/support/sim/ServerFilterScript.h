// One script of a user typing into a filtered list (FilterList) of the 3,000 places of
// ServerModeScript.h: run once on a list filled into memory and once on one in server mode, the
// two must see the same at every step, the rows the list window counts included.
#pragma once

#include <string>
#include <vector>

#include "tests/support/sim/ServerModeScript.h"

namespace cp::test {

// What a step showed, and how many rows the list window counts.
struct FilteredSeen {
    Seen seen;
    std::int32_t shown;

    bool operator==(const FilteredSeen&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const FilteredSeen& s) {
    return out << s.seen << " shown " << s.shown;
}

inline std::vector<FilteredSeen> RunFilterScript(const std::function<void(ColumnPick&)>& connect) {
    Session s;
    Prepare(s.control());
    s.control().FilterList(true);
    connect(s.control());
    std::vector<FilteredSeen> seen;
    const auto look = [&](const std::string& step) {
        Seen now = s.Look(step);
        seen.push_back({std::move(now), s.ListState().count});
    };
    look("connected");
    s.Focus();
    s.user().TypeText("b");
    look("typed b");
    s.user().TypeText("eta 39");
    look("typed eta 39");
    s.control().ShowDropDown();
    look("opened on the typed text");
    s.user().PressKey(vbKeyDown);
    s.user().PressKey(vbKeyDown);
    look("two down");
    s.ClickBand(3);
    look("clicked");
    s.control().ShowDropDown();
    look("reopened on every row");
    s.user().PressKey(vbKeyEscape);
    s.user().SelectText(0, 100);
    s.user().TypeText("a");
    look("typed a");
    // The keys move through the rows of "a" (the open list would show those of the completed
    // text), past the first rows read.
    for (int i = 0; i < 12; ++i)
        s.user().PressKey(vbKeyPageDown);
    look("twelve pages down");
    s.user().PressKey(vbKeyReturn);
    look("committed");
    s.user().SelectText(0, 100);
    s.user().TypeText("DELTA 39");
    // The completion shows before the deletion, as it would for a user who looks.
    EXPECT_TRUE(AwaitServerAnswers(s.control()));
    s.user().PressKey(vbKeyBack);
    look("deleted");
    s.control().Value(Variant("C00010"));
    look("value written");
    s.user().SelectText(0, 100);
    s.user().TypeText("zeta");
    look("typed zeta");
    s.user().PressKey(vbKeyReturn);
    look("not in list");
    s.user().SelectText(0, 100);
    s.user().PressKey(vbKeyBack);
    look("emptied");
    s.user().TypeText("gamma 2");
    s.control().ShowDropDown();
    s.control().Value(Variant("C00200"));
    look("value of a row the open list shows");
    s.control().FilterList(false);
    look("every row on the current one");
    s.control().FilterList(true);
    s.user().SelectText(0, 100);
    s.user().TypeText("gamma 2");
    s.user().PressKey(vbKeyDown);
    s.user().PressKey(vbKeyDown);
    look("moved in the filtered rows");
    s.control().FilterList(false);
    look("every row on the row moved to");
    return seen;
}

// The script reached what it means to: filtered lists short and long, a commit by click and by
// Enter, every row again on reopening, no row for a text, and every row for none.
inline void ExpectFilterScriptReached(const std::vector<FilteredSeen>& seen) {
    EXPECT_EQ(seen[2].shown, 22);
    EXPECT_EQ(seen[7].shown, 855);
    EXPECT_GT(seen[8].seen.selection, 64) << "past the first rows read";
    EXPECT_NE(seen[5].seen.events.find("AfterUpdate"), std::string::npos);
    EXPECT_EQ(seen[6].shown, 3000);
    EXPECT_EQ(seen[12].shown, 0);
    EXPECT_NE(seen[13].seen.events.find("NotInList"), std::string::npos);
    EXPECT_EQ(seen[14].shown, 3000);
}

}  // namespace cp::test
