// The compact cells of the item table: every value reads back as the Variant it was written as,
// and rows come and go without losing or keeping what they held.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "runtime/RuntimeError.h"
#include "table/CellTable.h"
#include "tests/support/ErrorOf.h"

namespace cp::test {
namespace {

struct Held : Object {};

// Whether b is a, type and value, the very object or array included.
::testing::AssertionResult SameValue(const Variant& a, const Variant& b) {
    if (a.Type() != b.Type()) {
        return ::testing::AssertionFailure()
               << "type " << static_cast<int>(b.Type()) << ", not " << static_cast<int>(a.Type());
    }
    if (a.IsObject()  ? a.ObjectRef() == b.ObjectRef()
        : a.IsArray() ? a.Array() == b.Array()
        : a.IsNull()  ? true
                      : VariantEquals(a, b) && DisplayText(a) == DisplayText(b)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "\"" << DisplayText(b) << "\", not \"" << DisplayText(a) << "\"";
}

std::vector<Variant> EveryKind() {
    return {Variant(),
            Variant::Null(),
            Variant(true),
            Variant(false),
            Variant(std::int16_t{-32768}),
            Variant(std::int32_t{2147483647}),
            Variant(std::uint8_t{255}),
            Variant(1.5f),
            Variant(-0.0),
            Variant(Currency{-123456789}),
            Variant(Date{45000.75}),
            Variant(""),
            Variant("fourteen bytes"),  // the longest text kept in the cell
            Variant("fifteen bytes!!"),
            Variant(std::string("nul\0inside", 10)),
            Variant("Ærøskøbing, Île-de-France, Łódź"),
            Variant(std::string(100000, 'x')),
            Variant(std::shared_ptr<Object>(std::make_shared<Held>())),
            Variant(std::make_shared<VariantArray>(std::vector<std::int32_t>{2}))};
}

TEST(CellTable, EveryValueReadsBackAsItsOwnType) {
    const std::vector<Variant> values = EveryKind();
    const auto rows = static_cast<std::int32_t>(values.size());
    VariantArray items({2, rows});
    for (std::int32_t r = 0; r < rows; ++r) {
        items.At(0, r) = values[static_cast<std::size_t>(r)];
        items.At(1, r) = values[static_cast<std::size_t>(rows - 1 - r)];
    }
    const CellTable cells(items);
    const VariantArray back = cells.ToVariantArray();
    ASSERT_EQ((std::pair{back.Extent(0), back.Extent(1)}), (std::pair{2, rows}));
    for (std::int32_t r = 0; r < rows; ++r) {
        for (std::int32_t c = 0; c < 2; ++c) {
            SCOPED_TRACE("cell " + std::to_string(c) + ", " + std::to_string(r));
            EXPECT_TRUE(SameValue(items.At(c, r), cells.At(c, r)));
            EXPECT_TRUE(SameValue(items.At(c, r), back.At(c, r)));
            const CellView view = cells.ViewAt(c, r);
            const Variant& item = items.At(c, r);
            EXPECT_EQ(
                (std::tuple{view.IsString(), view.IsNull(),
                            view.IsString() ? std::string(view.String()) : ""}),
                (std::tuple{item.IsString(), item.IsNull(), item.IsString() ? item.String() : ""}));
        }
    }
}

TEST(CellTable, ReadsOutsideTheTableAreErrorNine) {
    const CellTable none;
    EXPECT_FALSE(none.Allocated());
    EXPECT_FALSE(none.ToVariantArray().Allocated());
    EXPECT_EQ(ErrorOf([&] { none.Extent(0); }), vberr::SubscriptOutOfRange);
    EXPECT_EQ(ErrorOf([&] { none.At(0, 0); }), vberr::SubscriptOutOfRange);
    const CellTable cells(2, 3);
    EXPECT_TRUE(cells.At(1, 2).IsEmpty());
    for (const auto& [c, r] : {std::pair{2, 0}, {0, 3}, {-1, 0}, {0, -1}})
        EXPECT_EQ(ErrorOf([&, c = c, r = r] { cells.At(c, r); }), vberr::SubscriptOutOfRange)
            << c << ", " << r;
    EXPECT_EQ(ErrorOf([] { CellTable(-1, 1); }), vberr::SubscriptOutOfRange);
}

// Rows of item strings against the same rows kept as plain texts.
class RowsAgainstTexts {
public:
    explicit RowsAgainstTexts(std::int32_t columns) : cells_(columns, 0), columns_(columns) {}

    bool Append(const std::vector<std::string>& row) {
        const bool added = cells_.TryAppendRow([&](auto append) {
            for (const std::string& text : row)
                append(text);
        });
        if (added) texts_.push_back(row);
        return added;
    }
    void Remove(std::int32_t row) {
        const auto count = static_cast<std::int32_t>(texts_.size());
        cells_.RemoveRow(row, count);
        cells_.ResizeRows(count - 1);
        texts_.erase(texts_.begin() + row);
    }
    void ExpectSame() const {
        ASSERT_EQ(cells_.Extent(1), static_cast<std::int32_t>(texts_.size()));
        for (std::int32_t r = 0; r < cells_.Extent(1); ++r)
            for (std::int32_t c = 0; c < columns_; ++c)
                ASSERT_EQ(cells_.ViewAt(c, r).String(),
                          texts_[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)])
                    << "cell " << c << ", " << r;
    }
    const CellTable& Cells() const { return cells_; }

private:
    CellTable cells_;
    std::int32_t columns_;
    std::vector<std::vector<std::string>> texts_;
};

// A few hundred bytes, so that a few thousand rows of them fill a store worth rewriting.
std::string LongText(int n) {
    return std::string(300, static_cast<char>('a' + (n & 15))) + std::to_string(n);
}

TEST(CellTable, RemovalsKeepTheOtherRowsAndGiveTheirTextsAndObjectsBack) {
    RowsAgainstTexts rows(2);
    for (int n = 0; n < 4000; ++n)
        ASSERT_TRUE(rows.Append({std::to_string(n), LongText(n)}));
    const std::size_t full = rows.Cells().MemoryBytes();
    // From the middle and the ends, with rows added between the removals.
    for (int n = 0; n < 3600; ++n) {
        rows.Remove(n % 3 == 0 ? 6 : n % 3 == 1 ? rows.Cells().Extent(1) - 1 : 200);
        if (n % 100 == 0) {
            ASSERT_TRUE(rows.Append({"new", LongText(-n)}));
        }
    }
    rows.ExpectSame();
    // The texts of the rows gone went with a rewrite of the store on the way.
    EXPECT_LT(rows.Cells().MemoryBytes(), full / 3);

    // An object goes with its row.
    const auto held = std::make_shared<Held>();
    VariantArray items({1, 3});
    items.At(0, 0) = Variant(std::shared_ptr<Object>(held));
    items.At(0, 2) = Variant(std::shared_ptr<Object>(held));
    CellTable cells(items);
    items = VariantArray();
    EXPECT_EQ(held.use_count(), 3);
    cells.RemoveRow(0, 3);
    cells.ResizeRows(2);
    EXPECT_EQ(held.use_count(), 2);
    EXPECT_TRUE(SameValue(Variant(std::shared_ptr<Object>(held)), cells.At(0, 1)));
    cells.ResizeRows(1);
    EXPECT_EQ(held.use_count(), 1);
}

}  // namespace
}  // namespace cp::test
