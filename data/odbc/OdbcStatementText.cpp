#include "data/odbc/OdbcStatementText.h"

#include <cstddef>

namespace cp::odbc {
namespace {

// The rules in which dialects differ, one bit each; a reading follows a set of them.
enum Rule : unsigned {
    kBackslashInEStrings = 1u << 0,  // E'...' takes backslash escapes (PostgreSQL)
    kBackslashEverywhere = 1u << 1,  // all quoted text takes them (MySQL, older PostgreSQL)
    kNestedComments = 1u << 2,       // /* /* */ */ is one comment (PostgreSQL, SQL Server)
    kDollarQuotes = 1u << 3,         // $tag$...$tag$ is quoted text (PostgreSQL)
    kMySqlComments = 1u << 4,        // # starts a comment, -- only before a blank, /*! is code
    kBracketNames = 1u << 5,         // [name] (SQL Server, Access, SQLite)
    kBacktickNames = 1u << 6,        // `name` (MySQL, SQLite)
};
constexpr unsigned kReadings = 1u << 7;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// A letter, digit or underscore, or any byte of a character beyond ASCII.
bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

class Reading {
public:
    Reading(std::string_view sql, unsigned rules) : sql_(sql), rules_(rules) {}

    // True when anything but blanks, semicolons and comments follows a semicolon.
    bool FindsSecondStatement() const {
        bool ended = false;
        for (std::size_t i = 0; i < sql_.size();) {
            if (const std::size_t next = AfterComment(i); next != i) {
                i = next;
                continue;
            }
            const char c = sql_[i];
            if (c == ';') {
                ended = true;
            } else if (!IsBlank(c)) {
                if (ended) return true;
                i = AfterQuoted(i);
                continue;
            }
            ++i;
        }
        return false;
    }

private:
    bool Has(Rule rule) const { return (rules_ & rule) != 0; }
    char At(std::size_t i) const { return i < sql_.size() ? sql_[i] : '\0'; }

    // Where the comment that starts at i ends; i when none starts there.
    std::size_t AfterComment(std::size_t i) const {
        const char c = sql_[i];
        const char d = At(i + 1);
        if (c == '-' && d == '-') {
            // MySQL reads "--1" as two minus signs.
            const char e = At(i + 2);
            if (Has(kMySqlComments) && e != '\0' && static_cast<unsigned char>(e) > ' ') return i;
            return LineEnd(i + 2);
        }
        if (c == '#' && Has(kMySqlComments)) return LineEnd(i + 1);
        if (c == '/' && d == '*') {
            // MySQL and MariaDB run what /*! and /*M! enclose.
            const bool runs = At(i + 2) == '!' || (At(i + 2) == 'M' && At(i + 3) == '!');
            if (Has(kMySqlComments) && runs) return i;
            return BlockCommentEnd(i + 2);
        }
        return i;
    }

    std::size_t LineEnd(std::size_t i) const {
        while (i < sql_.size() && sql_[i] != '\n' && sql_[i] != '\r')
            ++i;
        return i;
    }

    std::size_t BlockCommentEnd(std::size_t i) const {
        int depth = 1;
        while (i < sql_.size()) {
            if (sql_[i] == '/' && At(i + 1) == '*' && Has(kNestedComments)) {
                ++depth;
                i += 2;
            } else if (sql_[i] == '*' && At(i + 1) == '/') {
                i += 2;
                if (--depth == 0) return i;
            } else {
                ++i;
            }
        }
        return sql_.size();
    }

    // Past the quoted text or name that starts at i, or past the one character there.
    std::size_t AfterQuoted(std::size_t i) const {
        switch (sql_[i]) {
            case '\'':
                return QuoteEnd(i + 1, '\'', TakesBackslashes(i));
            case '"':
                return QuoteEnd(i + 1, '"', Has(kBackslashEverywhere));
            case '`':
                return Has(kBacktickNames) ? QuoteEnd(i + 1, '`', false) : i + 1;
            case '[':
                return Has(kBracketNames) ? QuoteEnd(i + 1, ']', false) : i + 1;
            case '$':
                return Has(kDollarQuotes) ? DollarQuoteEnd(i) : i + 1;
            default:
                return i + 1;
        }
    }

    // Whether the text quoted at i takes backslash escapes.
    bool TakesBackslashes(std::size_t i) const {
        if (Has(kBackslashEverywhere)) return true;
        const bool prefixed = i > 0 && (sql_[i - 1] == 'E' || sql_[i - 1] == 'e') &&
                              (i < 2 || !IsNameChar(sql_[i - 2]));
        return Has(kBackslashInEStrings) && prefixed;
    }

    // Past the closing quote from i on; a doubled quote stands for itself.
    std::size_t QuoteEnd(std::size_t i, char close, bool backslashes) const {
        while (i < sql_.size()) {
            if (backslashes && sql_[i] == '\\') {
                i += 2;
            } else if (sql_[i] == close && At(i + 1) == close) {
                i += 2;
            } else if (sql_[i] == close) {
                return i + 1;
            } else {
                ++i;
            }
        }
        return sql_.size();
    }

    // A $tag$ at i (not inside a name, the tag not starting with a digit) quotes the text up
    // to the same tag; anything else (a parameter such as $1) is one character.
    std::size_t DollarQuoteEnd(std::size_t i) const {
        if (i > 0 && (IsNameChar(sql_[i - 1]) || sql_[i - 1] == '$')) return i + 1;
        std::size_t end = i + 1;
        if (At(end) >= '0' && At(end) <= '9') return i + 1;
        while (end < sql_.size() && IsNameChar(sql_[end]))
            ++end;
        if (At(end) != '$') return i + 1;
        const std::string_view tag = sql_.substr(i, end + 1 - i);
        const std::size_t close = sql_.find(tag, end + 1);
        return close == std::string_view::npos ? sql_.size() : close + tag.size();
    }

    std::string_view sql_;  // the whole text
    unsigned rules_;        // Rule bits
};

}  // namespace

bool HoldsOneStatement(std::string_view sql) {
    if (sql.find(';') == std::string_view::npos) return true;
    for (unsigned rules = 0; rules < kReadings; ++rules) {
        if (Reading(sql, rules).FindsSecondStatement()) return false;
    }
    return true;
}

}  // namespace cp::odbc
