#include "data/rows/RowBlock.h"

#include <memory>
#include <string>
#include <utility>

#include "runtime/RuntimeError.h"

namespace cp::rows {

Variant RowBlock(std::int32_t fields, std::int32_t rows, BlockVector<Variant> values) {
    return Variant(
        std::make_shared<VariantArray>(std::vector<std::int32_t>{fields, rows}, std::move(values)));
}

void RaiseClosed() {
    Raise(kErrClosed, "Object invalid or no longer set.");
}

void RaiseNoCurrentRecord() {
    Raise(kErrNoCurrentRecord, "No current record.");
}

void RaiseNotSupported() {
    Raise(kErrNotSupported, "Operation is not supported for this type of object.");
}

void RaiseInvalidArgument() {
    Raise(kErrInvalidArgument, "Invalid argument.");
}

void RaiseNotARowQuery(std::string_view engineWords) {
    std::string text = "Invalid operation: only a query that reads rows can be opened.";
    if (!engineWords.empty()) text += "\r\n" + std::string(engineWords);
    Raise(kErrNotARowQuery, std::move(text));
}

void RaiseTextAfterStatement() {
    Raise(kErrTextAfterStatement, "Characters found after end of SQL statement.");
}

void RaiseTooFewParameters(std::int32_t n) {
    Raise(kErrTooFewParameters, "Too few parameters. Expected " + std::to_string(n) + ".");
}

void RaiseBinaryField(std::string_view name) {
    Raise(vberr::TypeMismatch, "Type mismatch: the field " + std::string(name) +
                                   " holds binary data, which the list cannot show.");
}

void CheckRowRequest(std::int32_t NumRows) {
    if (NumRows < 1) RaiseInvalidArgument();
}

void CheckRecordsetType(std::int32_t Type) {
    if (Type != dbOpenSnapshot && Type != dbOpenDynaset && Type != dbOpenForwardOnly) {
        RaiseInvalidArgument();
    }
}

}  // namespace cp::rows
