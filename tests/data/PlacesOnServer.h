// The fixture of the tests that drive a list of places in server mode on an SQLite file of their
// own: the list connects through a server that counts its calls, shows kShown rows when open,
// and is held against the file's rows named as the list's reader names them. The children that
// the focus events named tell where the reader heard of the current row.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "control/ColumnPick.h"
#include "platform/Host.h"
#include "runtime/Conversions.h"
#include "tests/data/TempDatabase.h"
#include "tests/support/AwaitAnswers.h"
#include "tests/support/CountedServer.h"
#include "tests/support/sim/ServerModeScript.h"

namespace cp::test {

// The children that the focus events since the last clearing named.
inline std::vector<LONG> FocusedChildren(const sim::WindowManager& windows) {
    std::vector<LONG> focus;
    for (const sim::WinEventRecord& e : windows.WinEvents())
        if (e.event == EVENT_OBJECT_FOCUS) focus.push_back(e.idChild);
    return focus;
}

class PlacesOnServer : public ::testing::Test {
protected:
    static constexpr int kShown = 8;  // the rows the open list shows

    explicit PlacesOnServer(const std::string& schema) : file_(schema) {
        Prepare(control(), kShown);
    }

    // No step of a test reports anything to the user.
    void TearDown() override { EXPECT_TRUE(s_.world().MessageBoxes().empty()); }

    ColumnPick& control() { return s_.control(); }
    void Connect(std::int16_t matchMode = 0) {
        control().MatchMode(matchMode);
        control().ConnectComboBoxMultiColumn(*server_, "places", "");
    }

    // The file's rows where the condition holds, in the list's order.
    std::vector<std::string> Rows(const std::string& where = "1") {
        const auto rs =
            db_->OpenRecordset("SELECT coalesce(name || ', ', '') || code FROM places WHERE " +
                                   where + " ORDER BY name COLLATE NOCASE, rowid",
                               dbOpenSnapshot);
        std::vector<std::string> names;
        if (CBool(rs->Eof())) return names;
        const Variant all = rs->GetRows(1'000'000);
        for (std::int32_t r = 0; r < all.Array()->Extent(1); ++r)
            names.push_back(CStr(all.Array()->At(0, r)));
        return names;
    }

    // Scrolls the open list to top, as a dragged thumb does, and lets the scroll settle; the
    // reads of the server that the window's thread took (the rows read ahead come on the query
    // thread as its timing allows).
    int ScrollTo(std::int32_t top) {
        EXPECT_TRUE(AwaitServerAnswers(control()));
        const int before = server_->windowReads;
        SendMessage(s_.host().ListHwnd(), LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
        host::DoEvents();
        EXPECT_TRUE(AwaitServerAnswers(control()));
        return server_->windowReads - before;
    }

    // The rows the open list shows from its top row on.
    std::vector<std::string> OnShow() { return ReaderNames(control(), s_.ListState().top, kShown); }

    TempDatabase file_;
    std::shared_ptr<sqlite::SqliteDatabase> db_ = file_.Open();
    std::shared_ptr<CountedServer> server_ = std::make_shared<CountedServer>(db_);
    Session s_;
};

}  // namespace cp::test
