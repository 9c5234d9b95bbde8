// The field splitter reads eight bytes at a time: every separator is found and counted exactly,
// wherever it stands in a word and whatever the bytes beside it are, and nothing past the text
// is read.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "table/ItemString.h"

namespace cp::test {
namespace {

// The fields as a plain byte-by-byte split finds them.
std::vector<std::string> PlainSplit(std::string_view text) {
    std::vector<std::string> fields(1);
    for (const char c : text) {
        if (c == kFieldSeparator)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

// Texts of every length up to three words, with separators at chosen places among bytes that
// differ from a separator by one bit (';' is 0x3B: 0xBB, 0x3A, 0x3F, 0x7B), NULs and 0xFF.
std::vector<std::string> Texts() {
    const std::string neighbours = {'\xBB', ':', '?', '{', '\0', '\xFF', 'a', '\x3B' - 1};
    std::vector<std::string> texts;
    for (std::size_t length = 0; length <= 25; ++length) {
        for (std::size_t place = 0; place <= length; ++place) {
            std::string text;
            for (std::size_t i = 0; i < length; ++i)
                text +=
                    i == place || i % 7 == 6 ? kFieldSeparator : neighbours[i % neighbours.size()];
            texts.push_back(text);
            texts.push_back(std::string(length, kFieldSeparator));
        }
    }
    return texts;
}

TEST(FieldSplit, FindsAndCountsEverySeparatorAsAPlainSplitDoes) {
    for (const std::string& text : Texts()) {
        // The text alone in its own allocation, so that a read past its end is caught.
        const auto copy = std::make_unique<char[]>(text.size() + 1);
        std::copy(text.begin(), text.end(), copy.get());
        const std::string_view view(copy.get(), text.size());

        std::vector<std::string> fields;
        ForEachField(view, [&](std::string_view field) { fields.emplace_back(field); });
        EXPECT_EQ(fields, PlainSplit(text)) << testing::PrintToString(text);
        EXPECT_EQ(CountFields(view), PlainSplit(text).size()) << testing::PrintToString(text);
    }
}

}  // namespace
}  // namespace cp::test
