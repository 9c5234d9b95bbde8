#include "control/CellsFromFields.h"

#include "runtime/RuntimeError.h"

namespace cp {

void CellsFromFields::Start(std::int32_t fields, std::int32_t rows) {
    cells_ = CellTable(fields, 0);
    append_.emplace(cells_.Appender());
    rows_ = rows;
}

void CellsFromFields::Finish() {
    if (!append_) return;
    if (!cells_.TryCountAppendedRows(rows_)) Raise(vberr::TypeMismatch);
}

}  // namespace cp
