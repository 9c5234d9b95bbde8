#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "runtime/RuntimeError.h"
#include "runtime/Utf8.h"
#include "runtime/Variant.h"

namespace cp {
namespace {

TEST(VariantEquality, StringsByCharactersNumbersByValueNullNever) {
    EXPECT_TRUE(VariantEquals(Variant("2"), Variant("2")));
    EXPECT_FALSE(VariantEquals(Variant("a"), Variant("A")));  // case matters
    EXPECT_FALSE(VariantEquals(Variant::Null(), Variant::Null()));
    EXPECT_FALSE(VariantEquals(Variant::Null(), Variant("")));
    EXPECT_TRUE(VariantEquals(Variant(std::int16_t{2}), Variant(2.0)));
    EXPECT_TRUE(VariantEquals(Variant(std::int32_t{-1}), Variant(true)));
    EXPECT_TRUE(VariantEquals(Variant(Currency{25000}), Variant(2.5)));
    // A number never equals a String, even one that reads as the same number.
    EXPECT_FALSE(VariantEquals(Variant(std::int32_t{2}), Variant("2")));
    EXPECT_TRUE(VariantEquals(Variant(), Variant("")));
    EXPECT_TRUE(VariantEquals(Variant(), Variant(std::int32_t{0})));
    EXPECT_TRUE(VariantEquals(Variant(), Variant()));
    EXPECT_THROW(VariantEquals(Variant(std::make_shared<VariantArray>()), Variant()), RuntimeError);
}

TEST(VariantText, EachTypeHasItsTextForm) {
    EXPECT_EQ((std::vector<std::string>{CStr(Variant()), CStr(Variant(true)), CStr(Variant(false)),
                                        CStr(Variant(std::int16_t{-7})),
                                        CStr(Variant(std::uint8_t{200})), CStr(Variant(2.5)),
                                        CStr(Variant("x")), DisplayText(Variant::Null())}),
              (std::vector<std::string>{"", "True", "False", "-7", "200", "2.5", "x", ""}));
    try {
        CStr(Variant::Null());
        FAIL() << "the text form of Null is an error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ((std::pair{e.Number(), e.Description()}),
                  (std::pair{vberr::InvalidUseOfNull, std::string("Invalid use of Null")}));
    }
}

TEST(VariantArrayTest, KeepsRowsTogetherAndChecksItsBounds) {
    VariantArray table({2, 3});
    table.At(1, 2) = Variant("last");
    EXPECT_EQ(table.Elements()[5].String(), "last");  // (column, row) with the column fastest
    for (auto [i, j] : {std::pair{2, 0}, {0, 4}, {-1, 0}, {0, -1}}) {
        EXPECT_THROW(table.At(i, j), RuntimeError) << i << "," << j;
    }
    EXPECT_FALSE(VariantArray().Allocated());
    EXPECT_THROW(VariantArray().Extent(0), RuntimeError);
}

// An element whose construction fails at a block boundary leaves the sequence as it was.
TEST(BlockVectorTest, AFailedAppendAtABlockBoundaryKeepsTheElementsInPlace) {
    struct Picky {
        explicit Picky(int v) : value(v) {
            if (v < 0) throw std::invalid_argument("refused");
        }
        int value;
    };
    BlockVector<Picky> sequence;
    const int size = 3 * static_cast<int>(BlockVector<Picky>::kBlockSize);
    for (int i = 0; i < size; ++i) {
        if (i % static_cast<int>(BlockVector<Picky>::kBlockSize) == 0) {
            EXPECT_THROW(sequence.emplace_back(-1), std::invalid_argument);
        }
        sequence.emplace_back(i);
    }
    ASSERT_EQ(sequence.size(), static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i)
        ASSERT_EQ(sequence[static_cast<std::size_t>(i)].value, i);
}

// The known numbers' texts show in every error report; a number without one has the general text.
TEST(RuntimeErrors, AnUnknownNumberHasTheGeneralDescription) {
    EXPECT_EQ(RuntimeError(12345).Description(), "Application-defined or object-defined error");
}

TEST(Utf8Text, CountsCharactersNotBytes) {
    const std::string text = "Åland\xF0\x9F\x98\x80!";  // a character outside the BMP
    EXPECT_EQ((std::tuple{utf8::Length(text), utf8::Left(text, 2), utf8::Left(text, 99),
                          utf8::FromUtf16(utf8::ToUtf16(text)), utf8::ToUtf16(text).size()}),
              (std::tuple{7u, "Ål", text, text, 8u}));
    EXPECT_EQ(utf8::Length("\xFF\xFE"), 2u);  // malformed bytes count one each
    // Overlong forms, surrogates and values beyond U+10FFFF are malformed too, byte by byte.
    for (const std::string bad : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80"}) {
        EXPECT_EQ((std::pair{utf8::Length(bad), utf8::ToUtf16(bad)}),
                  (std::pair{bad.size(), std::u16string(bad.size(), u'\xFFFD')}))
            << bad;
    }
    EXPECT_EQ(utf8::Length("\xF4\x8F\xBF\xBF\xEF\xBF\xBF"), 2u);  // U+10FFFF and U+FFFF
}

}  // namespace
}  // namespace cp
