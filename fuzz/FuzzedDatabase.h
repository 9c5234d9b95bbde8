// A database and a recordset whose every answer comes from a fuzzer's input: counts and end
// flags of any type, a GetRows block of any shape and content (or no array at all), and a
// failure with any error number in any of their operations.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <memory>
#include <string>

#include "data/Database.h"

namespace cp::fuzz {

// The operations of a recordset and a database that a plan can make fail.
enum class DbOperation {
    None,
    RecordCount,
    Eof,
    MoveLast,
    MoveFirst,
    GetRows,
    Close,
    OpenRecordset,
    Name,
};

class FuzzedRecordset : public Recordset {
public:
    explicit FuzzedRecordset(FuzzedDataProvider& in);

    Variant RecordCount() override;
    Variant Eof() override;
    void MoveLast() override;
    void MoveFirst() override;
    Variant GetRows(std::int32_t NumRows) override;
    void Close() override;

    std::int32_t FailureNumber() const { return failureNumber_; }

private:
    void MaybeFail(DbOperation operation);

    Variant count_;               // RecordCount before MoveLast
    Variant countAtEnd_;          // RecordCount after it
    Variant eof_;                 // Eof
    Variant rows_;                // what GetRows answers
    bool atEnd_ = false;          // MoveLast has run
    DbOperation failing_;         // the operation that fails, None for none
    std::int32_t failureNumber_;  // and its error number
};

class FuzzedDatabase : public Database {
public:
    explicit FuzzedDatabase(FuzzedDataProvider& in);

    std::shared_ptr<Recordset> OpenRecordset(const std::string& Name, std::int32_t Type) override;
    std::string Name() override;

private:
    std::shared_ptr<FuzzedRecordset> recordset_;  // what OpenRecordset answers (may be null)
    std::string name_;                            // the database's name
    DbOperation failing_;                         // OpenRecordset or Name may fail
    std::int32_t failureNumber_;
};

}  // namespace cp::fuzz
