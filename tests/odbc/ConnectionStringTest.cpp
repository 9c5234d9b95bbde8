// What a report may show of a connection string: everything but what may carry a password,
// however the string tries to smuggle one past the reading of its braces.
#include <gtest/gtest.h>

#include <utility>

#include "data/odbc/OdbcConnectionString.h"

namespace cp::test {
namespace {

TEST(ConnectionStringTest, NoPasswordSurvivesAHostileString) {
    // Each connection string, and what a report may show of it.
    const std::pair<const char*, const char*> cases[] = {
        // "}}" inside braces is one "}"; the value never closes and takes the rest with it.
        {"PWD={ab}};cd}}", ""},
        {"DSN=x;PWD={ab}};cd}}", "DSN=x"},
        // A brace opens a value only right after "=".
        {"UID=a{b;PWD=secret", "UID=a{b"},
        {"UID=a}b;PWD=secret;DSN=x", "UID=a}b;DSN=x"},
        {"Driver={PostgreSQL Unicode};PWD={a;b}}c};Database=d",
         "Driver={PostgreSQL Unicode};Database=d"},
        {"PWD = {x;y} ;UID=u", "UID=u"},
        {"Servername={a}b;PWD=c", "Servername={a}b"},
        // Any case and spacing of the keys, and keys that only contain the words.
        {"DSN=x; Password =a;UID=u;pwd=b", "DSN=x;UID=u"},
        {"pWd=secret;", ""},
        {"P W D=secret;DSN=x", "DSN=x"},
        {"DSN=x;SSLPassword=s;KeystorePwd=t;passwd=u;PWD2=v", "DSN=x"},
        // Values that another reading of the braces would split, or that a driver passes on.
        {"UID={a}};PWD=secret};DSN=x", "DSN=x"},
        {"Driver={SQLite3;PWD=secret", ""},
        {"DSN=x;pqopt={sslmode=require password=secret}", "DSN=x"},
        // Text that is no attribute is no business of a message either.
        {"abc;PWD=secret;DSN=x", "DSN=x"},
        // Names that only look like password keys stay.
        {"DSN=x;UID=pwd;Database=passwords", "DSN=x;UID=pwd;Database=passwords"},
        {"Driver={SQLite3};Database=/tmp/a;b.sqlite", "Driver={SQLite3};Database=/tmp/a"},
        {"", ""},
    };
    for (const auto& [connection, shown] : cases)
        EXPECT_EQ(odbc::WithoutPassword(connection), shown) << connection;
}

}  // namespace
}  // namespace cp::test
