#include "data/odbc/OdbcDatabase.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>

#include "data/odbc/OdbcConnection.h"
#include "data/odbc/OdbcResult.h"
#include "data/rows/QueryNames.h"
#include "data/rows/Recordsets.h"
#include "data/rows/RowBlock.h"

namespace cp::odbc {
namespace {

bool IsPasswordKey(std::string_view key) {
    std::string lower;
    for (char c : key) {
        if (c != ' ' && c != '\t')
            lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower == "pwd" || lower == "password";
}

// The end of the attribute that starts at begin: the next semicolon outside braces.
std::size_t AttributeEnd(const std::string& text, std::size_t begin) {
    bool braced = false;
    for (std::size_t i = begin; i < text.size(); ++i) {
        if (text[i] == '{') braced = true;
        if (text[i] == '}') braced = false;
        if (text[i] == ';' && !braced) return i;
    }
    return text.size();
}

}  // namespace

std::string WithoutPassword(const std::string& connectionString) {
    std::string kept;
    for (std::size_t begin = 0; begin < connectionString.size();) {
        const std::size_t end = AttributeEnd(connectionString, begin);
        const std::string_view attribute(connectionString.data() + begin, end - begin);
        const std::size_t equals = attribute.find('=');
        if (equals == std::string_view::npos || !IsPasswordKey(attribute.substr(0, equals))) {
            if (!kept.empty()) kept += ';';
            kept += attribute;
        }
        begin = end + 1;
    }
    return kept;
}

std::shared_ptr<OdbcDatabase> OdbcDatabase::Open(const std::string& connectionString) {
    return Open(connectionString, WithoutPassword(connectionString));
}

std::shared_ptr<OdbcDatabase> OdbcDatabase::Open(const std::string& connectionString,
                                                 std::string name) {
    return std::make_shared<OdbcDatabase>(std::make_shared<OdbcConnection>(connectionString),
                                          std::move(name));
}

OdbcDatabase::OdbcDatabase(std::shared_ptr<OdbcConnection> connection, std::string name)
    : connection_(std::move(connection)), name_(std::move(name)) {}

std::shared_ptr<Recordset> OdbcDatabase::OpenRecordset(const std::string& Name, std::int32_t Type) {
    rows::CheckRecordsetType(Type);
    return rows::MakeRecordset(std::make_unique<OdbcResult>(connection_, QueryText(Name)), Type);
}

std::string OdbcDatabase::Name() {
    return name_;
}

void OdbcDatabase::Execute(const std::string& sql) {
    connection_->Execute(sql);
}

std::string OdbcDatabase::QueryText(const std::string& query) const {
    const std::optional<rows::QueryName> name = rows::BareName(query);
    if (!name) return query;
    // A plain name is spelt as the server spells names; a quoted one exactly as given.
    const char quote = connection_->IdentifierQuote();
    const bool quoted = name->quoted && quote != ' ';
    return "SELECT * FROM " + (quoted ? rows::QuotedName(name->name, quote) : name->name);
}

}  // namespace cp::odbc
