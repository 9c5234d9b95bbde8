// Which query texts hold one statement, whatever the server's dialect: a semicolon that any
// common dialect reads outside quotes and comments ends the statement, and anything but blanks
// and comments after it is refused.
#include <gtest/gtest.h>

#include <utility>

#include "data/odbc/OdbcStatementText.h"

namespace cp::test {
namespace {

TEST(StatementTextTest, TextAfterTheFirstStatementIsFoundInEveryDialect) {
    // Each text, and whether it holds one statement.
    const std::pair<const char*, bool> cases[] = {
        {"SELECT 1", true},
        {"SELECT 1;", true},
        {"SELECT 1 ; ;\n -- done\n /* really */ ", true},
        {"SELECT 'a;b', \"c;d\" FROM t", true},
        {"SELECT 'it''s; fine'", true},
        {"SELECT 1 -- one; two\n", true},
        {"/* a; b */ SELECT 1", true},
        {"SELECT 1; DELETE FROM t", false},
        {"SELECT 1;DELETE FROM t;", false},
        {"SELECT 1; 'x'", false},
        {"SELECT 1;\n-- c\nDROP TABLE t", false},
        // Backslashes: in E'' strings on PostgreSQL, in every string on MySQL.
        {"SELECT E'\\'', '\\'; DELETE FROM t; --'", false},
        {"SELECT 'a\\'; DELETE FROM t; --'", false},
        {"SELECT 'a\\''; DELETE FROM t; --'", false},
        // Comments that nest on PostgreSQL and not elsewhere, and MySQL's own.
        {"/* /* */ ; DELETE FROM t; /* */", false},
        {"SELECT 1 /* /* */ ; DELETE FROM t */", false},
        {"SELECT 1 --1; DELETE FROM t", false},
        {"SELECT 1 # ; DELETE FROM t", false},
        {"SELECT 1 /*! ; DELETE FROM t */", false},
        // Dollar quotes, bracketed and back-quoted names on the servers that have them only.
        {"SELECT $$ ; DELETE FROM t; $$", false},
        {"SELECT $a$ $$ ; DELETE FROM t $a$", false},
        {"SELECT [x;y] ; DELETE FROM t", false},
        // What only some dialects quote is no protection: they may not be the server's.
        {"SELECT [a;b] FROM t", false},
        {"SELECT $$a;b$$", false},
        {"SELECT `x` ; DELETE FROM t", false},
        {"SELECT \"a\\\"; DELETE FROM t; --\"", false},
    };
    for (const auto& [sql, one] : cases)
        EXPECT_EQ(odbc::HoldsOneStatement(sql), one) << sql;
}

}  // namespace
}  // namespace cp::test
