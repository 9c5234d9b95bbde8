// A recordset that keeps the rows it has read, so that it can move back to its first row. Read
// at once, it is a snapshot: a static copy of the result that knows its count from the start.
// Read row by row, it knows its count only once it has reached the last row (a MoveLast, or
// reading to the end); until then RecordCount is -1.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/Database.h"
#include "data/rows/RowSource.h"
#include "data/rows/RowStore.h"

namespace cp::rows {

class CachedRecordset final : public Recordset {
public:
    enum class Loading {
        WholeResultAtOpen,  // a snapshot
        RowByRow,           // counted lazily
    };

    CachedRecordset(std::unique_ptr<RowSource> source, Loading loading);

    Variant RecordCount() override;
    Variant Eof() override;
    void MoveLast() override;
    void MoveFirst() override;
    Variant GetRows(std::int32_t NumRows) override;
    std::int32_t ReadRows(std::int32_t NumRows, FieldSink& sink) override;
    void Close() override;
    std::vector<std::string> FieldNames() override { return names_; }

private:
    // Reads one more row into the cache; false at the end of the result.
    bool ReadRow();
    // Reads on until row is in the cache; false when the result ends before it.
    bool HasRow(std::int64_t row);
    // The rows that a request for NumRows from the current row gets.
    std::int32_t RowsFor(std::int32_t NumRows);
    void CheckOpen() const;

    std::unique_ptr<RowSource> source_;  // rows still to read; null once all are read
    std::int32_t fields_ = 0;            // fields of every row
    std::vector<std::string> names_;     // the fields' names, kept once the source is gone
    RowStore store_;                     // the rows read so far
    std::int32_t current_ = 0;           // the current row; past the rows: end of file
    RowStore::Position position_;        // where the current row is kept in store_
    bool closed_ = false;                // Close has released the rows
};

}  // namespace cp::rows
