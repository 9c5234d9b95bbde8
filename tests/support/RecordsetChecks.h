// What the tests of the database layers check recordsets with.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "data/Database.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "runtime/Variant.h"

namespace cp::test {

// The error that call raised; the test fails when it raised none.
inline RuntimeError FailureOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const RuntimeError& e) {
        return e;
    }
    ADD_FAILURE() << "no run-time error was raised";
    return RuntimeError(0, "");
}

// The (field, row) block that GetRows answered; an empty array, and a failure, for anything
// else.
inline const VariantArray& Block(const Variant& rows) {
    static const VariantArray none;
    EXPECT_TRUE(rows.IsArray() && rows.Array());
    return rows.IsArray() && rows.Array() ? *rows.Array() : none;
}

// The rows of a (field, row) block as text: the fields as CStr writes them (Null as "Null"),
// joined by "|", one line per row.
inline std::string BlockText(const Variant& rows) {
    const VariantArray& block = Block(rows);
    std::string text;
    for (std::int32_t row = 0; row < block.Extent(1); ++row) {
        for (std::int32_t field = 0; field < block.Extent(0); ++field) {
            const Variant& v = block.At(field, row);
            text += (field == 0 ? "" : "|") + (v.IsNull() ? std::string("Null") : CStr(v));
        }
        text += "\n";
    }
    return text;
}

// Every row of a query as text, as BlockText writes them.
inline std::string RowsOf(Database& db, const std::string& query) {
    std::shared_ptr<Recordset> rs = db.OpenRecordset(query, dbOpenSnapshot);
    const std::int32_t count = CLng(rs->RecordCount());
    return count < 1 ? "" : BlockText(rs->GetRows(count));
}

// The second field (the code) of the first row that the search finds for text; "none" for none.
inline std::string FirstCode(KeyedRows& rows, const FieldSearch& search, std::string_view text) {
    const auto row = rows.FirstMatching(search, text);
    return row ? CStr(row->fields.at(1)) : std::string("none");
}

}  // namespace cp::test
