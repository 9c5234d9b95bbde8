#include "data/rows/Recordsets.h"

#include "data/rows/CachedRecordset.h"
#include "data/rows/ForwardOnlyRecordset.h"

namespace cp::rows {

std::shared_ptr<Recordset> MakeRecordset(std::unique_ptr<RowSource> source, std::int32_t Type) {
    if (Type == dbOpenForwardOnly) return std::make_shared<ForwardOnlyRecordset>(std::move(source));
    using Loading = CachedRecordset::Loading;
    const auto loading = Type == dbOpenSnapshot ? Loading::WholeResultAtOpen : Loading::RowByRow;
    return std::make_shared<CachedRecordset>(std::move(source), loading);
}

}  // namespace cp::rows
