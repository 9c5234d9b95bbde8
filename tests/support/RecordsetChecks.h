// What the tests of the database layers check recordsets with.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

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

// FirstCode of each text in turn.
inline std::vector<std::string> FirstCodes(KeyedRows& rows, const FieldSearch& search,
                                           const std::vector<std::string_view>& texts) {
    std::vector<std::string> codes;
    for (const std::string_view text : texts)
        codes.push_back(FirstCode(rows, search, text));
    return codes;
}

// The codes (second fields) of rows, each followed by a blank.
inline std::string CodesOf(const std::vector<KeyedRow>& rows) {
    std::string codes;
    for (const KeyedRow& row : rows)
        codes += CStr(row.fields.at(1)) + " ";
    return codes;
}

// What a search finds through keyed rows, by code: every row found, read two at a time, the
// last two, and their count ("FI DE last FI DE count 2").
inline std::string MatchedCodes(KeyedRows& rows, const TextMatch& match) {
    std::string found;
    std::optional<RowKey> after;
    // No search finds more rows than the table holds: a read that ignored its key would
    // otherwise give its first rows for ever.
    const std::int64_t most = rows.Count();
    std::int64_t read = 0;
    for (auto page = rows.MatchingAfter(match, after, 2); !page.empty() && read <= most;
         page = rows.MatchingAfter(match, after, 2)) {
        read += static_cast<std::int64_t>(page.size());
        found += CodesOf(page);
        after = page.back().key;
    }
    return found + "last " + CodesOf(rows.LastMatching(match, 2)) + "count " +
           std::to_string(rows.CountMatching(match));
}

}  // namespace cp::test
