// The fields that a recordset reads (data/FieldSink.h) written straight into a table of cells.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "data/FieldSink.h"
#include "table/CellTable.h"

namespace cp {

class CellsFromFields final : public FieldSink {
public:
    // cells is allocated with the fields' shape when the first row comes, and unallocated if
    // none does.
    explicit CellsFromFields(CellTable& cells) : cells_(cells) {}

    void Start(std::int32_t fields, std::int32_t rows) override;
    void Null() override { append_->Null(); }
    void Boolean(bool value) override { append_->Boolean(value); }
    void Integer(std::int16_t value) override { append_->Integer(value); }
    void Long(std::int32_t value) override { append_->Long(value); }
    void Single(float value) override { append_->Single(value); }
    void Double(double value) override { append_->Double(value); }
    void Date(double serial) override { append_->Date(serial); }
    void Text(std::string_view text) override { (*append_)(text); }
    void Value(const Variant& value) override { append_->Value(value); }

    // Counts the rows announced at the start; error 13 when the fields did not make them.
    void Finish();

private:
    CellTable& cells_;
    std::optional<CellAppender> append_;  // set by Start
    std::int32_t rows_ = 0;               // rows announced at the start
};

}  // namespace cp
