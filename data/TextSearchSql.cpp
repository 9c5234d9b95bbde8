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

bool SameName(std::string_view a, std::string_view b) {
    return Lowered(a) == Lowered(b);
}

std::string_view Trimmed(std::string_view text) {
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && space(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && space(text.back()))
        text.remove_suffix(1);
    return text;
}

// A name or value of the statement without its quotes ('', "", `` or []), a doubled quote
// inside it single.
std::string Unquoted(std::string_view text) {
    text = Trimmed(text);
    if (text.size() < 2) return std::string(text);
    const char open = text.front();
    const char close = open == '[' ? ']' : open;
    if ((open != '\'' && open != '"' && open != '`' && open != '[') || text.back() != close) {
        return std::string(text);
    }
    std::string value;
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        value += text[i];
        if (text[i] == close && text[i + 1] == close) ++i;
    }
    return value;
}

// The arguments of the module in a CREATE VIRTUAL TABLE statement, split at the commas that
// stand outside quotes and brackets.
std::vector<std::string_view> ModuleArguments(std::string_view sql) {
    std::vector<std::string_view> arguments;
    const std::size_t open = sql.find('(');
    if (open == std::string_view::npos) return arguments;
    char quote = 0;
    int depth = 0;
    std::size_t start = open + 1;
    for (std::size_t i = start; i < sql.size(); ++i) {
        const char c = sql[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"' || c == '`') {
            quote = c;
        } else if (c == '[') {
            quote = ']';
        } else if (c == '(') {
            ++depth;
        } else if (c == ')' && depth > 0) {
            --depth;
        } else if (c == ',' || c == ')') {
            arguments.push_back(sql.substr(start, i - start));
            start = i + 1;
            if (c == ')') break;
        }
    }
    return arguments;
}

bool OverTable(std::string_view createSql, const std::string& table) {
    const std::optional<std::string> content = Fts5Option(createSql, "content");
    return content && SameName(*content, table);
}

// The column of the table that the FTS5 rowid stands for, and whether the list's key is it.
std::string RowidColumn(std::string_view createSql) {
    return Fts5Option(createSql, "content_rowid").value_or("rowid");
}

bool KeyIsRowidColumn(std::string_view createSql, const std::string& key) {
    return SameName(key.empty() ? std::string("rowid") : key, RowidColumn(createSql));
}

// True when a CREATE TABLE statement ends in WITHOUT ROWID (among the options after its columns).
bool WithoutRowid(std::string_view tableSql) {
    const std::string sql = Lowered(tableSql);
    const std::size_t close = sql.rfind(')');
    if (close == std::string::npos) return false;
    const std::size_t without = sql.find("without", close);
    return without != std::string::npos && sql.find("rowid", without) != std::string::npos;
}

}  // namespace

std::optional<std::string> Fts5Option(std::string_view createSql, std::string_view option) {
    for (const std::string_view argument : ModuleArguments(createSql)) {
        const std::size_t equals = argument.find('=');
        if (equals == std::string_view::npos) continue;
        if (SameName(Trimmed(argument.substr(0, equals)), option)) {
            return Unquoted(argument.substr(equals + 1));
        }
    }
    return std::nullopt;
}

std::string SqliteMatchedKeys(std::string_view createSql, const std::string& table,
                              const std::string& key, const std::string& fts,
                              const std::string& argument, char quote) {
    const std::string matched = "SELECT rowid FROM " + fts + " WHERE " + fts + " MATCH " + argument;
    if (!OverTable(createSql, table) || KeyIsRowidColumn(createSql, key)) return matched;
    const std::string rowid = RowidColumn(createSql);
    const std::string column =
        SameName(rowid, "rowid") ? std::string("rowid") : rows::QuotedName(rowid, quote);
    return "SELECT " + (key.empty() ? std::string("rowid") : rows::QuotedName(key, quote)) +
           " FROM " + rows::QuotedName(table, quote) + " WHERE " + column + " IN (" + matched + ")";
}

void CheckSqliteSearchKey(std::string_view createSql, const std::string& table,
                          const std::string& key, std::string_view declaredType, FieldMatch match) {
    if (key.empty() || OverTable(createSql, table) || KeyIsRowidColumn(createSql, key)) return;
    // A column of INTEGER affinity holds the integers that the FTS5 table's rowids can be.
    if (Lowered(declaredType).find("int") != std::string::npos) return;
    const std::string fts = SqliteSearchTable(table, match);
    Raise(rows::kErrNotSupported, "The FTS5 table " + fts +
                                      " numbers its rows by rowid, which cannot be the key " + key +
                                      " of " + table + ": create it with content='" + table +
                                      "', so that it finds the table's rows by their rowid.");
}

void CheckSqliteSearchRowid(std::string_view createSql, const std::string& table,
                            std::string_view tableSql, FieldMatch match) {
    if (!OverTable(createSql, table) || !SameName(RowidColumn(createSql), "rowid")) return;
    if (!WithoutRowid(tableSql)) return;
    Raise(rows::kErrNotSupported,
          "The FTS5 table " + SqliteSearchTable(table, match) + " reads the rowid of " + table +
              ", which has none (WITHOUT ROWID): create it with content_rowid naming a unique"
              " INTEGER column of " +
              table + ".");
}

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
              "') over the columns " + names + " of " + table + ", with content='" + table + "'.");
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

std::string LikeEscaped(std::string_view text) {
    std::string pattern;
    for (const char c : text) {
        if (c == '%' || c == '_' || c == '\\') pattern += '\\';
        pattern += c;
    }
    return pattern;
}

std::string LikeAnywhere(std::string_view text) {
    return "%" + LikeEscaped(text) + "%";
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
