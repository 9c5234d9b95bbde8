#include "data/TextSearchSql.h"

#include <algorithm>

#include "data/rows/QueryNames.h"
#include "data/rows/RowBlock.h"
#include "runtime/RuntimeError.h"
#include "runtime/Utf8.h"

namespace cp {
namespace {

constexpr std::size_t kTrigram = 3;

std::string Lowered(std::string_view text) {
    std::string lowered(text);
    std::ranges::transform(lowered, lowered.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return lowered;
}

bool IsAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

bool TrigramsServe(std::string_view text) {
    return utf8::Length(text) >= kTrigram;
}

bool SearchesCompletion(const FieldSearch& search) {
    return std::ranges::find(search.fields, 0) != search.fields.end();
}

std::string SqliteSearchTable(const std::string& table, FieldMatch match) {
    return table + (match == FieldMatch::Contains ? "_trigram" : "_words");
}

bool SqliteSearchTableFits(std::string_view createSql, FieldMatch match) {
    const std::string sql = Lowered(createSql);
    if (sql.find("fts5") == std::string::npos) return false;
    const bool trigram = sql.find("trigram") != std::string::npos;
    return match == FieldMatch::Contains ? trigram : !trigram;
}

void RaiseNoSqliteSearchTable(const std::string& table, FieldMatch match,
                              const std::vector<std::string>& columns) {
    std::string names;
    for (const std::string& column : columns) {
        if (!names.empty()) names += ", ";
        names += column;
    }
    const char* tokenizer = match == FieldMatch::Contains ? "trigram" : "unicode61";
    Raise(rows::kErrNotSupported,
          "The rows cannot be searched without reading all of them: "
          "create the FTS5 table " +
              SqliteSearchTable(table, match) + " (tokenize '" + tokenizer +
              "') over the columns " + names + " of " + table + ", with its key as rowid.");
}

std::string Fts5Query(const std::vector<std::string>& columns, std::string_view text,
                      FieldMatch match) {
    std::string query = "{";
    for (const std::string& column : columns) {
        if (query.size() > 1) query += ' ';
        query += rows::QuotedName(column, '"');
    }
    query += "} : " + rows::QuotedName(std::string(text), '"');
    if (match == FieldMatch::WordStart) query += " *";
    return query;
}

std::string LikeAnywhere(std::string_view text) {
    std::string pattern = "%";
    for (const char c : text) {
        if (c == '%' || c == '_' || c == '\\') pattern += '\\';
        pattern += c;
    }
    return pattern + "%";
}

std::string WordStartExpression(std::string_view text) {
    // A backslash before any character but a letter or digit makes it that character itself;
    // bytes of other scripts are letters and stay as they are.
    std::string expression = "\\m";
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x80 && !IsAsciiAlnum(c)) expression += '\\';
        expression += c;
    }
    return expression;
}

void RaiseNoTrigramIndex(const std::string& table, const std::string& column) {
    Raise(rows::kErrNotSupported,
          "The rows cannot be searched without reading all of them: create a trigram index on "
          "the column " +
              column + " of " + table + " (CREATE EXTENSION pg_trgm; CREATE INDEX ... USING gin (" +
              column + " gin_trgm_ops)).");
}

void RaiseSearchOfQuery() {
    Raise(rows::kErrNotSupported,
          "The rows of a query cannot be searched inside their texts: connect the list to a "
          "table with the indexes that serve the search.");
}

}  // namespace cp
