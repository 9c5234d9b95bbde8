#include "data/RecordsetRows.h"

#include <memory>
#include <utility>

#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

namespace cp {
namespace {

constexpr int kFieldRowDimensions = 2;
constexpr const char* kNoBlock = "GetRows returned no two-dimensional array of fields and rows.";

std::int32_t ReportedCount(Recordset& rs) {
    return CLng(rs.RecordCount());
}

// A recordset that cannot say whether it is at its end has no rows to offer.
bool AtEnd(Recordset& rs) {
    const Variant eof = rs.Eof();
    return eof.IsNull() || CBool(eof);
}

// The reported count; one below 1 means not known yet unless the recordset is at its end.
std::int32_t CountRows(Recordset& rs) {
    const std::int32_t count = ReportedCount(rs);
    if (count >= 1) return count;
    if (AtEnd(rs)) return 0;
    rs.MoveLast();
    const std::int32_t counted = ReportedCount(rs);
    rs.MoveFirst();
    return counted;
}

}  // namespace

std::int32_t LoadRows(Recordset& rs, FieldSink& sink) {
    const std::int32_t count = CountRows(rs);
    if (count < 1) return 0;
    return rs.ReadRows(count, sink);
}

std::int32_t Recordset::ReadRows(std::int32_t NumRows, FieldSink& sink) {
    Variant rows = GetRows(NumRows);
    if (!rows.IsArray() || !rows.Array() || rows.Array()->Dimensions() != kFieldRowDimensions) {
        Raise(vberr::TypeMismatch, kNoBlock);
    }
    const std::shared_ptr<VariantArray> block = rows.Array();
    rows = Variant();
    const std::int32_t delivered = block->Extent(1);
    if (delivered == 0) return 0;
    // Rows without a single field have nothing to show, and drawing them would lower the
    // column count to none.
    if (block->Extent(0) < 1) Raise(vberr::TypeMismatch);
    sink.Start(block->Extent(0), delivered);
    for (const Variant& value : block->Elements())
        sink.Value(value);
    return delivered;
}

}  // namespace cp
