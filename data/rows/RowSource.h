// Where a recordset's rows come from: an engine's result, read front to back one row at a time.
// The recordsets of every engine keep and hand out rows the same way; only this differs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace cp::rows {

class RowWriter;

class RowSource {
public:
    virtual ~RowSource() = default;
    // The fields of every row.
    virtual std::int32_t FieldCount() const = 0;
    // The name of field (from 0) as the result calls it; empty when the engine gives none.
    virtual std::string FieldName(std::int32_t /*field*/) const { return {}; }
    // Moves to the next row of the result (the first one at the first call); false when there
    // is none left.
    virtual bool Next() = 0;
    // Writes the current row's fields, in order, one call of the writer per field.
    virtual void WriteRow(RowWriter& row) const = 0;
};

// The names of every field of source, in order.
inline std::vector<std::string> NamesOf(const RowSource& source) {
    std::vector<std::string> names;
    for (std::int32_t f = 0; f < source.FieldCount(); ++f)
        names.push_back(source.FieldName(f));
    return names;
}

}  // namespace cp::rows
