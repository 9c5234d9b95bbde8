#include "data/sqlite/RowBlock.h"

#include <memory>
#include <utility>

#include "data/sqlite/SqliteErrors.h"
#include "runtime/RuntimeError.h"

namespace cp::sqlite {

Variant RowBlock(std::int32_t fields, std::int32_t rows, std::vector<Variant> values) {
    return Variant(
        std::make_shared<VariantArray>(std::vector<std::int32_t>{fields, rows}, std::move(values)));
}

void RaiseClosed() {
    Raise(kErrClosed, "Object invalid or no longer set.");
}

void RaiseNoCurrentRecord() {
    Raise(kErrNoCurrentRecord, "No current record.");
}

void CheckRowRequest(std::int32_t NumRows) {
    if (NumRows < 1) Raise(kErrInvalidArgument, "Invalid argument.");
}

}  // namespace cp::sqlite
