// Word starts and any part of a row in server mode, on real SQLite files: the list on the
// server finds what the same rows filled into memory find, the text stays as typed, and a
// search that the file has no index for is refused when the list connects and when it is set.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "control/ColumnPick.h"
#include "data/sqlite/SqliteDatabase.h"
#include "data/sqlite/SqliteErrors.h"
#include "tests/data/TempDatabase.h"
#include "tests/support/AwaitAnswers.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/sim/ControlOnForm.h"
#include "tests/support/sim/ServerModeScript.h"

namespace cp::test {
namespace {

// The places of the other tests of server mode, with "delta-" names for the searches' separators.
const std::string kSearchPlaces = SqlitePlaces(3000, "-");

constexpr const char* kNameSearch =
    "CREATE VIRTUAL TABLE places_trigram USING fts5(name, content='places', tokenize='trigram');"
    "INSERT INTO places_trigram(places_trigram) VALUES ('rebuild');"
    "CREATE VIRTUAL TABLE places_words USING fts5(name, content='places');"
    "INSERT INTO places_words(places_words) VALUES ('rebuild');";

// What a text found: the text shown, the current row and its code.
using Found = std::tuple<std::string, std::int32_t, std::string>;

Found FindByTyping(SimControl& c, const std::string& text) {
    c.Focus();
    c.control().SelectAllTextInTextBox();
    c.user().TypeText(text);
    EXPECT_TRUE(AwaitServerAnswers(c.control())) << text;
    const std::int32_t row = c.control().ListIndex();
    return {c.control().Text(), row, row < 0 ? std::string() : CStr(c.control().Value())};
}

// Texts of three characters and more, which trigrams serve; no trailing separator, which the
// words of an FTS5 table do not hold.
const std::vector<std::string> kTexts = {"ta 39", "LPHA 1",  "mma 2", "a 399",
                                         "zzz",   "elta-12", "399"};

// What a text showed: what it found, the rows the list window counts, and the names of the
// first twelve of them.
using Typed = std::tuple<Found, std::int32_t, std::vector<std::string>>;

// What each text shows when typed into a list that `rows` fills or connects, with the search
// mode, filtered or not.
std::vector<Typed> TypeEachText(std::int16_t mode, bool filter,
                                const std::function<void(ColumnPick&)>& rows) {
    SimControl c;
    Prepare(c.control());
    c.control().MatchMode(mode);
    c.control().FilterList(filter);
    rows(c.control());
    std::vector<Typed> typed;
    for (const std::string& text : kTexts) {
        const Found found = FindByTyping(c, text);
        const std::int32_t count = c.ListState().count;
        typed.emplace_back(found, count, ReaderNames(c.control(), 0, std::min(12, count)));
    }
    EXPECT_TRUE(c.Prompts().empty());
    return typed;
}

TEST(ServerSearch, TheServerFindsAndFiltersWhatTheSameRowsInMemoryDo) {
    const TempDatabase file{kSearchPlaces + kNameSearch};
    const auto db = file.Open();
    for (const bool filter : {false, true}) {
        for (const std::int16_t mode : {std::int16_t{1}, std::int16_t{2}}) {
            SCOPED_TRACE("MatchMode " + std::to_string(mode) + (filter ? ", filtered" : ""));
            const std::vector<Typed> memory =
                TypeEachText(mode, filter, FillFrom(*db, kPlacesInOrder));
            const std::vector<Typed> server = TypeEachText(mode, filter, ConnectTo(*db, "places"));
            ExpectSameSteps(server, memory);
            for (std::size_t i = 0; i < kTexts.size(); ++i)
                EXPECT_EQ(std::get<0>(std::get<0>(server[i])), kTexts[i]) << "stays as typed";
            if (mode != 2) continue;
            // Any part of a text finds rows where the start of a word would not, and some text
            // shows more rows than the first read brings.
            EXPECT_NE(std::get<1>(std::get<0>(server[0])), -1);
            if (filter) {
                EXPECT_TRUE(std::ranges::any_of(
                    memory, [](const Typed& t) { return std::get<1>(t) > 64; }));
            }
        }
    }
}

class ServerSearchTest : public ControlOnForm {
protected:
    TempDatabase file_{kSearchPlaces};
    std::shared_ptr<sqlite::SqliteDatabase> db_ = file_.Open();
};

TEST_F(ServerSearchTest, ASearchWithoutItsIndexIsRefusedAtConnectionAndWhenSet) {
    Prepare(control());
    control().MatchMode(2);
    control().AddList("a;1;b;2");
    control().ConnectComboBoxMultiColumn(*db_, "places", "");
    EXPECT_EQ(ReportTitles(),
              (std::vector<std::string>{"ColumnPick - ConnectComboBoxMultiColumn"}));
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_NE(Prompts()[0].find("places_trigram"), std::string::npos) << Prompts()[0];
    EXPECT_EQ(control().ListCount(), 2) << "the list keeps its rows";

    // Connected for the prefix, the list refuses the other modes and keeps its own.
    control().MatchMode(0);
    control().ConnectComboBoxMultiColumn(*db_, "places", "");
    EXPECT_EQ(control().ListCount(), 3000);
    EXPECT_EQ(ErrorOf([&] { control().MatchMode(1); }), sqlite::kErrNotSupported);
    EXPECT_EQ(control().MatchMode(), 0);

    // With the name's tables the modes come, but not a search of the codes.
    file_.OpenWritable()->Execute(kNameSearch);
    control().MatchMode(1);
    EXPECT_EQ(ErrorOf([&] { control().SearchColumns("0;1"); }), sqlite::kErrNotSupported);
    EXPECT_EQ((std::tuple{control().SearchColumns(), control().MatchMode(), Prompts().size()}),
              std::tuple("0", 1, 1u));
}

}  // namespace
}  // namespace cp::test
