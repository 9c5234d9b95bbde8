// A recordset that reads its result once, front to back, holding no more than the rows that
// GetRows hands out. It never knows its count (RecordCount is -1) and cannot move to its last
// or first row.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/Database.h"
#include "data/rows/RowSource.h"

namespace cp::rows {

class ForwardOnlyRecordset final : public Recordset {
public:
    explicit ForwardOnlyRecordset(std::unique_ptr<RowSource> source);

    Variant RecordCount() override;
    Variant Eof() override;
    void MoveLast() override;
    void MoveFirst() override;
    Variant GetRows(std::int32_t NumRows) override;
    void Close() override;
    std::vector<std::string> FieldNames() override { return names_; }

private:
    void CheckOpen() const;

    std::unique_ptr<RowSource> source_;  // the result; null once closed
    std::int32_t fields_ = 0;            // fields of every row
    std::vector<std::string> names_;     // the fields' names
    bool onRow_ = false;                 // the source stands on a row
};

}  // namespace cp::rows
