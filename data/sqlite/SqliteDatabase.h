// A database in an SQLite file. OpenRecordset takes SQL text or the name of a table or view
// (a stored query) and opens it as a snapshot, a lazily counted dynaset or a forward-only
// recordset; only queries that read are accepted.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "data/Database.h"
#include "data/sqlite/SqliteConnection.h"

namespace cp::sqlite {

class SqliteDatabase final : public Database {
public:
    // Opens the file; error 3114 when it cannot be opened.
    static std::shared_ptr<SqliteDatabase> Open(const std::string& path,
                                                OpenMode mode = OpenMode::ReadOnly);

    SqliteDatabase(std::shared_ptr<SqliteConnection> connection, std::string path);

    std::shared_ptr<Recordset> OpenRecordset(const std::string& Name, std::int32_t Type) override;
    std::string Name() override;
    std::shared_ptr<KeyedRows> OpenKeyedRows(const std::string& Source,
                                             const std::string& keyField) override;
    // Runs SQL statements that deliver no rows.
    void Execute(const std::string& sql);

private:
    // The SQL that a query name stands for: a table or view read whole, or the text itself.
    std::string QueryText(const std::string& query);
    // The stored spelling of a table or view whose name matches name in any case; "" for none.
    std::string StoredName(const std::string& name);

    std::shared_ptr<SqliteConnection> connection_;  // shared with the open recordsets
    std::string path_;                              // the file, as it was given
};

}  // namespace cp::sqlite
