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

std::int32_t LoadRows(Recordset& rs, VariantArray& table) {
    const std::int32_t count = CountRows(rs);
    if (count < 1) return 0;
    Variant rows = rs.GetRows(count);
    if (!rows.IsArray() || !rows.Array() || rows.Array()->Dimensions() != kFieldRowDimensions) {
        Raise(vberr::TypeMismatch, kNoBlock);
    }
    // The block is taken over as it is; it is moved rather than copied when nobody else
    // holds it.
    std::shared_ptr<VariantArray> block = rows.Array();
    rows = Variant();
    const std::int32_t delivered = block->Extent(1);
    // Rows without a single field have nothing to show, and drawing them would lower the
    // column count to none.
    if (delivered > 0 && block->Extent(0) < 1) Raise(vberr::TypeMismatch);
    if (delivered > 0) table = block.use_count() == 1 ? std::move(*block) : *block;
    return delivered;
}

}  // namespace cp
