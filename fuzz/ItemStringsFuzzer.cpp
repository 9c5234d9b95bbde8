// Item strings and width strings as a host hands them over: AddItem and AddList interleaved
// with RemoveItem, Clear, the selection writes, the column settings and a user who types,
// opens, hovers and picks.
#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/FuzzedValues.h"
#include "fuzz/Outcome.h"
#include "fuzz/UserPlay.h"
#include "reports/Messages.h"

namespace cp::fuzz {
namespace {

constexpr int kMaxSteps = 48;
constexpr std::size_t kMaxItemBytes = 200;

Outcome FillOutcome(ColumnPick& c, std::string_view title) {
    return Outcome{.prompts = {messages::kEmptyItemString, messages::kWidthsFirst,
                               messages::ColumnItems(c.ColumnCount())},
                   .reports = {{std::string(title), {vberr::SubscriptOutOfRange}}}};
}

Outcome WidthsOutcome(ColumnPick& c, const std::string& widths) {
    return Outcome{
        .prompts = {messages::TooManyWidths(static_cast<std::int64_t>(FieldCount(widths)),
                                            c.ColumnCount())},
        .reports = {{"ColumnPick - ColumnWidths", {vberr::TypeMismatch, vberr::Overflow}}}};
}

// A row index near the table's rows, or any Long.
std::int32_t ConsumeRow(Session& s, FuzzedDataProvider& in) {
    if (in.ConsumeBool()) return in.ConsumeIntegral<std::int32_t>();
    return in.ConsumeIntegralInRange(-2, s.control().ListCount() + 1);
}

void HostStep(Session& s, FuzzedDataProvider& in) {
    ColumnPick& c = s.control();
    switch (in.ConsumeIntegralInRange(0, 9)) {
        case 0: {
            const std::string item = ConsumeText(in, kMaxItemBytes);
            return Step(s, Named("AddItem", item), FillOutcome(c, "ColumnPick - AddItem"),
                        [&] { c.AddItem(item); });
        }
        case 1: {
            const std::string items = ConsumeText(in, kMaxItemBytes);
            return Step(s, Named("AddList", items), FillOutcome(c, "ColumnPick - AddList"),
                        [&] { c.AddList(items); });
        }
        case 2: {
            const std::int32_t row = ConsumeRow(s, in);
            return Step(s, Named("RemoveItem", std::to_string(row)),
                        Outcome{.errors = {vberr::Overflow}}, [&] { c.RemoveItem(row); });
        }
        case 3:
            return Step(s, "Clear", Outcome{}, [&] { c.Clear(); });
        case 4: {
            const std::int32_t row = ConsumeRow(s, in);
            return Step(s, Named("ListIndex", std::to_string(row)),
                        Outcome{.errors = {vberr::Overflow, vberr::InvalidPropertyValue}},
                        [&] { c.ListIndex(row); });
        }
        case 5: {
            const Variant key = in.ConsumeBool() ? Variant(ConsumeText(in, 16)) : Variant::Null();
            return Step(s, "Value", Outcome{.errors = {vberr::SubscriptOutOfRange}},
                        [&] { c.Value(key); });
        }
        case 6: {
            const auto columns = in.ConsumeIntegralInRange<std::int16_t>(-1, 5);
            return Step(s, Named("ColumnCount", std::to_string(columns)),
                        Outcome{.errors = {messages::kColumnCountError},
                                .prompts = {messages::kColumnCountMinimum}},
                        [&] { c.ColumnCount(columns); });
        }
        case 7: {
            const std::string widths = in.ConsumeBool() ? std::string() : ConsumeText(in, 32);
            return Step(s, Named("ColumnWidths", widths), WidthsOutcome(c, widths),
                        [&] { c.ColumnWidths(widths); });
        }
        case 8: {
            const auto column = in.ConsumeIntegralInRange<std::int16_t>(-1, 5);
            return Step(s, Named("BoundColumn", std::to_string(column)),
                        Outcome{.errors = {messages::kBoundColumnError},
                                .prompts = {messages::kMinimumZero}},
                        [&] { c.BoundColumn(column); });
        }
        default:
            // The table holds item strings only: nothing a user does may fail.
            return PlayUser(s, in, Outcome{});
    }
}

}  // namespace
}  // namespace cp::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    cp::fuzz::Session s;
    for (int i = 0; i < cp::fuzz::kMaxSteps && in.remaining_bytes() > 0; ++i)
        cp::fuzz::HostStep(s, in);
    return 0;
}
