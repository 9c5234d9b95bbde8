#include "fuzz/FuzzedDatabase.h"

#include <limits>

#include "fuzz/FuzzedValues.h"
#include "runtime/RuntimeError.h"

namespace cp::fuzz {
namespace {

// The engine's numbers that the fills single out, one that the runtime knows, and numbers
// beyond the 16 bits that the error report can show.
constexpr std::int32_t kErrorNumbers[] = {kErrTooFewParameters,
                                          kErrInputTableNotFound,
                                          3021,
                                          vberr::Overflow,
                                          32767,
                                          32768,
                                          -32769,
                                          std::numeric_limits<std::int32_t>::min(),
                                          std::numeric_limits<std::int32_t>::max(),
                                          0};

constexpr DbOperation kRecordsetOperations[] = {
    DbOperation::None,        DbOperation::None,    DbOperation::None,
    DbOperation::RecordCount, DbOperation::Eof,     DbOperation::MoveLast,
    DbOperation::MoveFirst,   DbOperation::GetRows, DbOperation::Close,
};

// A count: usually a small Long, sometimes any value at all.
Variant ConsumeCount(FuzzedDataProvider& in) {
    if (in.ConsumeBool()) return Variant(in.ConsumeIntegralInRange<std::int32_t>(-2, 20));
    return ConsumeVariant(in, 0);
}

// A GetRows answer: usually a (field, row) block, sometimes an array of another shape or no
// array at all.
Variant ConsumeRows(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 5)) {
        case 0:
            return ConsumeVariant(in, 0);
        case 1: {
            const std::int32_t n = in.ConsumeIntegralInRange(0, 4);
            auto array = std::make_shared<VariantArray>(std::vector<std::int32_t>{n});
            for (Variant& v : array->Elements())
                v = ConsumeVariant(in, 0);
            return Variant(array);
        }
        default:
            return Variant(ConsumeTable(in, 4, 20, 1));
    }
}

}  // namespace

FuzzedRecordset::FuzzedRecordset(FuzzedDataProvider& in)
    : count_(ConsumeCount(in)),
      countAtEnd_(ConsumeCount(in)),
      eof_(in.ConsumeBool() ? Variant(in.ConsumeBool()) : ConsumeVariant(in, 0)),
      rows_(ConsumeRows(in)),
      failing_(in.PickValueInArray(kRecordsetOperations)),
      failureNumber_(in.PickValueInArray(kErrorNumbers)) {}

void FuzzedRecordset::MaybeFail(DbOperation operation) {
    if (operation == failing_) Raise(failureNumber_, "The engine failed.");
}

Variant FuzzedRecordset::RecordCount() {
    MaybeFail(DbOperation::RecordCount);
    return atEnd_ ? countAtEnd_ : count_;
}

Variant FuzzedRecordset::Eof() {
    MaybeFail(DbOperation::Eof);
    return eof_;
}

void FuzzedRecordset::MoveLast() {
    MaybeFail(DbOperation::MoveLast);
    atEnd_ = true;
}

void FuzzedRecordset::MoveFirst() {
    MaybeFail(DbOperation::MoveFirst);
}

Variant FuzzedRecordset::GetRows(std::int32_t) {
    MaybeFail(DbOperation::GetRows);
    return rows_;
}

void FuzzedRecordset::Close() {
    MaybeFail(DbOperation::Close);
}

FuzzedDatabase::FuzzedDatabase(FuzzedDataProvider& in)
    : recordset_(in.ConsumeIntegralInRange(0, 9) == 0 ? nullptr
                                                      : std::make_shared<FuzzedRecordset>(in)),
      name_(ConsumeText(in, 16)),
      failing_(in.PickValueInArray({DbOperation::None, DbOperation::None, DbOperation::None,
                                    DbOperation::OpenRecordset, DbOperation::Name})),
      failureNumber_(in.PickValueInArray(kErrorNumbers)) {}

std::shared_ptr<Recordset> FuzzedDatabase::OpenRecordset(const std::string&, std::int32_t) {
    if (failing_ == DbOperation::OpenRecordset) Raise(failureNumber_, "No such table.");
    return recordset_;
}

std::string FuzzedDatabase::Name() {
    if (failing_ == DbOperation::Name) Raise(failureNumber_, "The name is gone.");
    return name_;
}

}  // namespace cp::fuzz
