// A recordset that counts its rows and hands them over as the (field, row) block it was given.
#pragma once

#include <memory>
#include <utility>

#include "data/Database.h"

namespace cp::test {

class BlockRecordset final : public Recordset {
public:
    explicit BlockRecordset(VariantArray block) : block_(std::move(block)) {}
    Variant RecordCount() override { return block_.Extent(1); }
    Variant Eof() override { return block_.Extent(1) == 0; }
    void MoveLast() override {}
    void MoveFirst() override {}
    Variant GetRows(std::int32_t) override { return std::make_shared<VariantArray>(block_); }
    void Close() override {}

    // The recordset as a host passes it.
    static Variant Of(VariantArray block) {
        return Variant(std::shared_ptr<Object>(std::make_shared<BlockRecordset>(std::move(block))));
    }

private:
    VariantArray block_;
};

}  // namespace cp::test
