// Server mode over a table placed by estimate, its list scrolled far at once (the thumb dragged
// across millions of rows does the same): only the rows at the new place are read, they are
// the rows that follow one another there by key, each shown once, and the keys, the mouse and
// a host's read of ListIndex go on from them as in a filled list.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "tests/data/PlacesOnServer.h"

namespace cp::test {
namespace {

// 120,000 places, a tenth of them gone and the last thousand too, so that the estimate
// overstates the rows; a few Null names at the start of the order.
constexpr const char* kFarPlaces =
    "CREATE TABLE places (name TEXT, code TEXT);"
    "CREATE INDEX places_name ON places (name COLLATE NOCASE);"
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 120000)"
    " INSERT INTO places SELECT printf('%s%s %06d', char(65 + (i * 7919) % 26),"
    " char(97 + (i / 26) % 26), (i * 7919) % 999983), printf('C%06d', i) FROM n;"
    "UPDATE places SET name = NULL WHERE rowid IN (4, 40, 400);"
    "DELETE FROM places WHERE rowid % 10 = 0 OR rowid > 119000;";

class ServerFarScrollTest : public PlacesOnServer {
protected:
    ServerFarScrollTest() : PlacesOnServer(kFarPlaces) { Connect(); }

    // Where the rows stand in the order: the place of the first, and that they follow one
    // another there.
    std::ptrdiff_t PlaceInOrder(const std::vector<std::string>& names) {
        const auto first = std::ranges::find(order_, names.front());
        EXPECT_NE(first, order_.end()) << names.front();
        if (first == order_.end()) return -1;
        const auto place = first - order_.begin();
        const auto end = std::min(order_.end(), first + std::ssize(names));
        EXPECT_EQ(std::vector<std::string>(first, end), names) << "at " << place;
        return place;
    }
    std::string CodeOf(const std::string& name) { return name.substr(name.rfind(' ') + 1); }

    // The rows in the list's order, as the reader names them.
    const std::vector<std::string> order_ = Rows();
};

// A reader's row far from the rows read is read by itself, as a far scroll reads it: a few
// reads, no count, and the rows from it on follow one another in the order about there.
TEST_F(ServerFarScrollTest, AReaderAndAFarScrollReadOnlyTheRowsThereEachShownOnceInOrder) {
    const int readerReads = server_->reads;
    const std::vector<std::string> names =
        ReaderNames(control(), control().RowCount() / 5 * 2, kShown);
    EXPECT_LT(server_->reads - readerReads, 8);
    EXPECT_NEAR(static_cast<double>(PlaceInOrder(names)) / std::ssize(order_), 0.4, 0.02);
    EXPECT_EQ(server_->counts, 0);

    control().Value(Variant("C000050"));
    s_.Focus();
    control().ShowDropDown();
    const std::int32_t count = s_.ListState().count;
    ASSERT_GT(count, 100'000);
    server_->counts = 0;

    // Three fifths down: a few reads, no count, and the rows about three fifths down the order
    // (the list counts the rows the estimate overstates).
    const std::int32_t far = count / 5 * 3;
    EXPECT_LT(ScrollTo(far), 8);
    const std::ptrdiff_t place = PlaceInOrder(OnShow());
    EXPECT_NEAR(static_cast<double>(place) / std::ssize(order_), 0.6, 0.02);

    // Scrolled a few pages either way from there, every row comes once and in order.
    std::vector<std::string> seen;
    for (std::int32_t top = far - 5 * kShown; top <= far + 5 * kShown; top += kShown) {
        EXPECT_LT(ScrollTo(top), 3);
        const std::vector<std::string> shown = OnShow();
        seen.insert(seen.end(), shown.begin(), shown.end());
    }
    PlaceInOrder(seen);
    EXPECT_EQ(std::set<std::string>(seen.begin(), seen.end()).size(), seen.size());

    // The table's last rows at the list's end, and its first rows at the top: each one jump.
    EXPECT_LT(ScrollTo(count - kShown), 8);
    EXPECT_EQ(OnShow().back(), order_.back());
    EXPECT_LT(ScrollTo(0), 8);
    EXPECT_EQ(OnShow(), std::vector<std::string>(order_.begin(), order_.begin() + kShown));
    EXPECT_EQ(server_->counts, 0);
}

// Scrolled up a little at a time from a place the estimate put too far down, the list meets the
// table's first row below its top: its rows move up to the top, placed without a count, and no
// row is read twice on the way.
TEST_F(ServerFarScrollTest, ScrollingUpFromAPlaceEstimatedTooLowEndsOnTheFirstRows) {
    s_.Focus();
    control().ShowDropDown();
    const int reads = server_->reads;
    for (std::int32_t top = 10'000; top >= 0; top -= 200)
        ScrollTo(top);
    // Each row was read about once, on either thread: of the rows kept, those farthest from the
    // list went.
    EXPECT_LT(server_->reads - reads, 10'000 / ServerRows::kPageRows + 16);
    EXPECT_EQ(OnShow(), std::vector<std::string>(order_.begin(), order_.begin() + kShown));
    EXPECT_EQ(server_->counts, 0);
}

TEST_F(ServerFarScrollTest, TheKeysAndTheMouseGoOnFromAFarScrollAsInAFilledList) {
    control().Value(Variant("C060001"));
    const auto current = std::ranges::find_if(
        order_, [](const std::string& name) { return name.ends_with("C060001"); });
    ASSERT_NE(current, order_.end());
    s_.Focus();
    control().ShowDropDown();
    const std::int32_t count = s_.ListState().count;

    // Down after a far scroll moves from the current row, which the list shows again.
    ScrollTo(count / 10);
    s_.user().PressKey(vbKeyDown);
    EXPECT_EQ(CodeOf(*std::next(current)), DisplayText(control().Value()));
    EXPECT_EQ(control().RowName(s_.ListState().selection), *std::next(current));

    // A click far from it commits the row clicked, the keys go on from that one, and a host
    // reads its exact place.
    ScrollTo(count / 10 * 9);
    const std::string clicked = OnShow()[3];
    s_.ClickBand(3);
    EXPECT_EQ(DisplayText(control().Value()), CodeOf(clicked));
    control().ShowDropDown();
    s_.user().PressKey(vbKeyDown);
    s_.user().PressKey(vbKeyDown);
    const auto at = std::ranges::find(order_, clicked);
    ASSERT_NE(at, order_.end());
    EXPECT_EQ(DisplayText(control().Value()), CodeOf(*(at + 2)));
    EXPECT_EQ(control().ListIndex(), at + 2 - order_.begin());
    EXPECT_EQ(control().RowName(control().ListIndex()), *(at + 2));
}

// A host's put of ListIndex far from the rows read reads the rows there by themselves, placed
// by a count, not every row up to the place: the row put is the row at that place in the
// order, near either end too, and the keys go on from it.
TEST_F(ServerFarScrollTest, AFarPutOfListIndexReadsOnlyTheRowsAtThePlace) {
    const std::int32_t count = control().ListCount();
    ASSERT_EQ(count, std::ssize(order_));
    for (const std::int32_t place : {count / 10 * 7, count / 3, count - 3, 100, count / 2}) {
        const int reads = server_->reads;
        const int counts = server_->counts;
        control().ListIndex(place);
        // Reading up to the place took a thousand reads and more.
        EXPECT_LT(server_->reads - reads, 64) << place;
        EXPECT_LE(server_->counts - counts, 2) << place;
        EXPECT_EQ(control().RowName(place), order_[place]);
        EXPECT_EQ(DisplayText(control().Value()), CodeOf(order_[place]));
        EXPECT_EQ(control().ListIndex(), place);
    }
    s_.Focus();
    s_.user().PressKey(vbKeyDown);
    EXPECT_EQ(DisplayText(control().Value()), CodeOf(order_[count / 2 + 1]));
    EXPECT_EQ(control().ListIndex(), count / 2 + 1);
}

}  // namespace
}  // namespace cp::test
