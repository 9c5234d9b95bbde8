// The property store that every host keeps for a control on a form.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/StoredProperties.h"
#include "runtime/Conversions.h"

namespace cp::test {
namespace {

TEST(StoredProperties, KeepOnlyWhatDiffersFromTheDefaultUnderKeysOfAnyCase) {
    StoredProperties bag;
    EXPECT_EQ(CStr(bag.ReadProperty("ListRows", std::int16_t{8})), "8");
    bag.WriteProperty("ListRows", std::int32_t{8}, std::int16_t{8});  // Long 8 = Integer 8
    bag.WriteProperty("Text", Variant(), "");                         // Empty = ""
    EXPECT_TRUE(bag.Keys().empty());

    bag.WriteProperty("ListRows", std::int16_t{12}, std::int16_t{8});
    bag.WriteProperty("Text", "abc", "");
    bag.WriteProperty("LISTROWS", std::int16_t{14}, std::int16_t{8});
    EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"ListRows", "Text"})) << "first stored first";
    EXPECT_EQ(CStr(bag.ReadProperty("listrows", std::int16_t{8})), "14");

    // Back to the default: the key goes, and reads give the default again.
    bag.WriteProperty("ListRows", std::int16_t{8}, std::int16_t{8});
    EXPECT_FALSE(bag.Has("ListRows"));
    EXPECT_EQ(CStr(bag.ReadProperty("ListRows", std::int16_t{8})), "8");
    EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"Text"}));

    // A value that cannot be compared is stored.
    bag.WriteProperty("Items", Variant(std::make_shared<VariantArray>()), "");
    EXPECT_TRUE(bag.Has("items"));
}

}  // namespace
}  // namespace cp::test
