// The SQL of the searches inside the texts that server mode serves (data/KeyedRows.h), shared by
// the engines that speak it. Every search is answered by an index of the server's own:
//
// SQLite: an FTS5 table beside the table, over the searched columns, whose rowid is the
// table's key: "<table>_trigram" with the trigram tokenizer for any part of a text,
// "<table>_words" with the unicode61 tokenizer for the start of a word (a prefix query on its
// words).
// PostgreSQL: a trigram index of pg_trgm (gin_trgm_ops or gist_trgm_ops) on each searched column,
// which serves ILIKE '%text%' for any part and the regular expression '\mtext' for a word start.
//
// Trigrams need three characters of text: a shorter one finds the first row whose completion
// field begins with it (a range of its index, as prefix typing reads, and a row that holds the
// text all the same), and no row when the completion field is not searched.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/KeyedRows.h"

namespace cp {

// True when a trigram index can answer a search of text: three characters or more.
bool TrigramsServe(std::string_view text);
// True when the search reads the completion field (field 0).
bool SearchesCompletion(const FieldSearch& search);

// The FTS5 table that serves the search on an SQLite table.
std::string SqliteSearchTable(const std::string& table, FieldMatch match);
// True when an FTS5 table's CREATE statement gives it the tokenizer that the match needs.
bool SqliteSearchTableFits(std::string_view createSql, FieldMatch match);
// Error 3251 for an SQLite table that lacks the FTS5 table over columns.
[[noreturn]] void RaiseNoSqliteSearchTable(const std::string& table, FieldMatch match,
                                           const std::vector<std::string>& columns);
// The value of an option of an FTS5 table (content, content_rowid...) as its CREATE statement
// gives it, its quotes taken off; none when the statement does not give it.
std::optional<std::string> Fts5Option(std::string_view createSql, std::string_view option);
// The keys of the rows that an FTS5 table finds, as a SELECT of one column: fts is the FTS5
// table's quoted name, argument its MATCH operand, key the list's key field ("" for the rowid),
// quote the engine's quote for names. An FTS5 table over the table's own content (content=
// 'table') numbers its rows by the table's content_rowid column, its rowid unless it names
// another: where that is not the key, the table is joined to take the key. Any other FTS5 table
// numbers its rows by the list's key.
std::string SqliteMatchedKeys(std::string_view createSql, const std::string& table,
                              const std::string& key, const std::string& fts,
                              const std::string& argument, char quote);
// Error 3251 unless the FTS5 table's rowids can lead to the list's key: declaredType is the key
// column's declared type, which only an FTS5 table over the table's own content may leave
// without INTEGER affinity.
void CheckSqliteSearchKey(std::string_view createSql, const std::string& table,
                          const std::string& key, std::string_view declaredType, FieldMatch match);
// Error 3251 when an FTS5 table over the table's own content would read the rowid of a table
// that has none (created WITHOUT ROWID), which fails at every search: tableSql is the table's
// CREATE statement.
void CheckSqliteSearchRowid(std::string_view createSql, const std::string& table,
                            std::string_view tableSql, FieldMatch match);
// The FTS5 query of text in the columns: the text as one phrase, a prefix of words for a word
// start.
std::string Fts5Query(const std::vector<std::string>& columns, std::string_view text,
                      FieldMatch match);

// text as a part of a LIKE pattern: its wildcards and escape taken as text.
std::string LikeEscaped(std::string_view text);
// The pattern of ILIKE that finds text anywhere, its wildcards and escape taken as text.
std::string LikeAnywhere(std::string_view text);
// The regular expression (PostgreSQL's) that finds text at the start of a word.
std::string WordStartExpression(std::string_view text);
// Error 3251 for a PostgreSQL column without a trigram index.
[[noreturn]] void RaiseNoTrigramIndex(const std::string& table, const std::string& column);
// Error 3251 for a search of a SELECT's rows, whose indexes cannot be told.
[[noreturn]] void RaiseSearchOfQuery();

}  // namespace cp
