// What the tests of a server's list placed by estimate share, on any engine: one script of
// steps that places the list far from its start over a table of places "Ab 01234" with codes
// "C00001" on (bound, the second column), and the steps that find such far rows.
#pragma once

#include <functional>
#include <vector>

#include "control/ColumnPick.h"
#include "tests/support/sim/ServerModeScript.h"

namespace cp::test {

// A user's steps that find rows far from the list's start, by a value and by typing, and move
// and draw the list there, with no host reading a place.
inline void FindFarRows(Session& s) {
    s.control().Value(Variant("C22222"));
    s.Focus();
    s.user().SelectText(0, 100);
    s.user().TypeText("Qa");
    EXPECT_TRUE(AwaitServerAnswers(s.control()));
    s.control().ShowDropDown();
    s.user().PressKey(vbKeyPageDown);
    s.user().PressKey(vbKeyDown);
    for (int r = 0; r < 20; ++r)
        s.control().RowName(s.ListState().top + r);
}

// Steps that place the list far from its start, by a value and by typing, go back to the
// committed row, and walk up to the table's first row without a host reading a place.
inline std::vector<Seen> RunFarScript(const std::function<void(ColumnPick&)>& connect) {
    Session s;
    PrepareWith(s.control(), connect);
    std::vector<Seen> seen{s.Look("connected")};
    s.control().Value(Variant("C22222"));
    seen.push_back(s.Look("deep value"));
    s.Focus();
    s.control().ShowDropDown();
    s.user().SelectText(0, 100);
    s.user().TypeText("d");
    seen.push_back(s.Look("typed elsewhere"));
    s.user().PressKey(vbKeyEscape);
    seen.push_back(s.Look("escaped to the committed row"));
    s.control().Value(Variant("C17777"));
    s.user().SelectText(0, 100);
    s.user().TypeText("c");
    s.user().PressKey(vbKeyReturn);
    seen.push_back(s.Look("typed and committed"));
    s.control().ShowDropDown();
    for (int i = 0; i < 300; ++i)
        s.user().PressKey(vbKeyPageUp);
    seen.push_back(s.Look("paged up to the top"));
    s.control().Value(Variant("C00005"));
    seen.push_back(s.Look("a value near the start"));
    s.control().ListIndex(s.control().ListCount() - 1);
    seen.push_back(s.Look("the last row"));
    return seen;
}

// The far script went where it means to: the deep value, the table's first row, its last.
inline void ExpectFarScriptReached(const std::vector<Seen>& seen) {
    EXPECT_EQ(seen[3].value, "C22222");
    EXPECT_EQ(seen[5].listIndex, 0);
    EXPECT_EQ(seen[7].listIndex, seen[7].listCount - 1);
}

}  // namespace cp::test
