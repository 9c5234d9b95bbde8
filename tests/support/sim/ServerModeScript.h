// One script of user and host steps for a list of 3,000 places (names repeated in both cases,
// empty and Null ones, unique codes in the second column, bound): run once on a list filled
// into memory and once on one in server mode, the two must see the same at every step. With it,
// what every test of server mode builds its list from: the places table, the list's columns,
// its fill or connection, and the reader's names of its rows.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "control/ColumnPick.h"
#include "runtime/ScreenUnits.h"
#include "tests/support/AwaitAnswers.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {

// An SQLite table "places" of `rows` places: names "alpha 1", "Alpha 2", "BETA 3", "beta 4",
// "Gamma 5", "delta 6" (joined by `deltaJoint`), "7" and on (the number is the row's modulo
// 400), Null at rows 17 and 2500, empty at rows 5 to 7 where `emptyNames`; codes "C00001" on.
// The name's index serves the list's order.
inline std::string SqlitePlaces(int rows, std::string_view deltaJoint = " ",
                                bool emptyNames = true) {
    return "CREATE TABLE places (name TEXT, code TEXT);"
           "CREATE INDEX places_name ON places (name COLLATE NOCASE);"
           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
           std::to_string(rows) +
           ") INSERT INTO places SELECT CASE i % 7 WHEN 0 THEN 'alpha ' WHEN 1 THEN 'Alpha '"
           " WHEN 2 THEN 'BETA ' WHEN 3 THEN 'beta ' WHEN 4 THEN 'Gamma ' WHEN 5 THEN 'delta" +
           std::string(deltaJoint) +
           "' ELSE '' END || (i % 400), printf('C%05d', i) FROM n;"
           "UPDATE places SET name = NULL WHERE rowid IN (17, 2500);" +
           (emptyNames ? "UPDATE places SET name = '' WHERE rowid IN (5, 6, 7);" : "");
}

// Every place of an SQLite table in the list's order, for a fill into memory.
inline constexpr const char* kPlacesInOrder =
    "SELECT * FROM places ORDER BY name COLLATE NOCASE, rowid";

// The places' list: two columns, the code bound; `listRows` rows in the open list where given.
inline void Prepare(ColumnPick& c, std::int16_t listRows = 0) {
    c.ColumnCount(std::int16_t{2});
    c.ColumnWidths("1500;800");
    c.BoundColumn(std::int16_t{1});
    if (listRows > 0) c.ListRows(listRows);
}

// The places' list with the rows that `rows` gives it.
inline void PrepareWith(ColumnPick& c, const std::function<void(ColumnPick&)>& rows) {
    Prepare(c);
    rows(c);
}

// How a script's list gets its rows: filled into memory by a query, or connected to a source.
inline std::function<void(ColumnPick&)> FillFrom(Database& db, std::string query) {
    return [&db, query](ColumnPick& c) { c.FillComboBoxMultiColumn(db, query); };
}
inline std::function<void(ColumnPick&)> ConnectTo(Database& db, std::string source) {
    return [&db, source](ColumnPick& c) { c.ConnectComboBoxMultiColumn(db, source, ""); };
}

// Every step of a script on the server showed what it showed on the rows in memory.
template <class Look>
void ExpectSameSteps(const std::vector<Look>& server, const std::vector<Look>& memory,
                     const std::string& source = "") {
    EXPECT_EQ(server.size(), memory.size()) << source;
    for (std::size_t i = 0; i < std::min(server.size(), memory.size()); ++i)
        EXPECT_EQ(server[i], memory[i]) << source << " step " << i;
}

// The reader's names of `rows` rows from row `from` on, "?" for a row it has not.
inline std::vector<std::string> ReaderNames(ColumnPick& c, std::int32_t from, std::int32_t rows) {
    std::vector<std::string> names;
    for (std::int32_t r = from; r < from + rows; ++r)
        names.push_back(c.RowName(r).value_or("?"));
    return names;
}

// What the user and the host see after a step.
struct Seen {
    std::string step;
    std::string text;
    std::int32_t listIndex;
    std::string value;
    std::string second;
    std::int32_t listCount;
    bool open;
    int selection;
    int top;
    std::vector<std::string> readerRows;  // the reader's names of the rows on show
    std::string events;

    bool operator==(const Seen&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Seen& s) {
    out << s.step << ": text '" << s.text << "' index " << s.listIndex << " value '" << s.value
        << "' second '" << s.second << "' count " << s.listCount << (s.open ? " open" : " closed")
        << " selection " << s.selection << " top " << s.top << " rows [";
    for (const auto& r : s.readerRows)
        out << r << " | ";
    return out << "] events " << s.events;
}

class Session : public SimControl {
public:
    // What shows once the server has answered what the user typed.
    Seen Look(const std::string& step) {
        EXPECT_TRUE(AwaitServerAnswers(control())) << step;
        Seen seen{step,
                  control().Text(),
                  control().ListIndex(),
                  DisplayText(control().Value()),
                  DisplayText(control().Column(1)),
                  control().ListCount(),
                  control().ComboBoxIsOpen(),
                  ListState().selection,
                  ListState().top,
                  {},
                  events().Joined()};
        seen.readerRows =
            ReaderNames(control(), seen.top, std::min(seen.top + 8, seen.listCount) - seen.top);
        events().ClearLog();
        return seen;
    }

    // Clicks the list's row at band (from 0) of the open list.
    void ClickBand(int band) {
        const float y = static_cast<float>((band + 0.5) * ListState().itemHeight * TwipsPerPixel());
        user().Click(host().ListHwnd(), 300, y);
    }
};

// The user's and the host's steps, with what each showed; connect fills or connects the list.
inline std::vector<Seen> RunScript(const std::function<void(ColumnPick&)>& connect) {
    Session s;
    PrepareWith(s.control(), connect);
    std::vector<Seen> seen{s.Look("connected")};
    s.Focus();
    s.user().TypeText("b");
    seen.push_back(s.Look("typed b"));
    s.user().TypeText("eta 39");
    seen.push_back(s.Look("typed eta 39"));
    s.user().PressKey(vbKeyDown);
    s.user().PressKey(vbKeyDown);
    seen.push_back(s.Look("two down"));
    s.user().PressKey(vbKeyPageDown);
    seen.push_back(s.Look("page down"));
    s.control().ShowDropDown();
    seen.push_back(s.Look("opened"));
    s.user().PressKey(vbKeyPageDown);
    s.user().PressKey(vbKeyPageDown);
    seen.push_back(s.Look("two pages down in the list"));
    s.ClickBand(3);
    seen.push_back(s.Look("clicked"));
    s.control().Value(Variant("C01234"));
    seen.push_back(s.Look("value written"));
    s.control().Value(Variant("none such"));
    seen.push_back(s.Look("unknown value written"));
    s.control().ListIndex(2999);
    seen.push_back(s.Look("last row"));
    s.control().ListIndex(0);
    seen.push_back(s.Look("first row"));
    s.user().PressKey(vbKeyUp);
    seen.push_back(s.Look("up at the top"));
    s.user().SelectText(0, 100);
    s.user().TypeText("zeta");
    s.user().PressKey(vbKeyReturn);
    seen.push_back(s.Look("not in list"));
    s.user().SelectText(0, 100);
    s.user().TypeText("GAMMA 1");
    s.user().PressKey(vbKeyBack);
    s.user().PressKey(vbKeyReturn);
    seen.push_back(s.Look("deleted and committed"));
    s.control().ShowDropDown();
    s.user().PressKey(vbKeyEnd, 0);
    seen.push_back(s.Look("reopened"));
    return seen;
}

// The script reached what it means to: a completion, the open list, a click, the last row and
// a NotInList.
inline void ExpectScriptReached(const std::vector<Seen>& seen) {
    EXPECT_EQ(seen[2].text, "BETA 39");
    EXPECT_TRUE(seen[5].open);
    EXPECT_NE(seen[7].events.find("AfterUpdate"), std::string::npos);
    EXPECT_NE(seen[13].events.find("NotInList"), std::string::npos);
    EXPECT_EQ(seen[10].value, "C01299");
}

}  // namespace cp::test
