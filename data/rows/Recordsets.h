// The recordset of a type that OpenRecordset was asked for, over an engine's rows.
#pragma once

#include <cstdint>
#include <memory>

#include "data/Database.h"
#include "data/rows/RowSource.h"

namespace cp::rows {

// A snapshot (read whole at once), a dynaset (read and counted lazily) or a forward-only
// recordset over source. The type has been checked (CheckRecordsetType).
std::shared_ptr<Recordset> MakeRecordset(std::unique_ptr<RowSource> source, std::int32_t Type);

}  // namespace cp::rows
