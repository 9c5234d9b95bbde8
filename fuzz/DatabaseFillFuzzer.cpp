// Database results of any shape and content through both fills: counts and end flags of any
// type, GetRows blocks of any shape holding values of every type, and failures with any
// number in any operation; then a user who opens, draws, types in and picks from the rows.
#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/FuzzedDatabase.h"
#include "fuzz/FuzzedValues.h"
#include "fuzz/Outcome.h"
#include "fuzz/UserPlay.h"
#include "reports/Messages.h"
#include "reports/ReportTitles.h"

namespace cp::fuzz {
namespace {

constexpr int kMaxSteps = 24;

// A fill may show the widths message or its error report, with the engine's own number or
// that of a value the fill could not use; a number beyond 16 bits cannot reach the report and
// comes back to the caller as an overflow.
const Outcome kFill{.errors = {vberr::Overflow},
                    .prompts = {messages::kFillWidthsFirst},
                    .reports = {{std::string(titles::kQueryFill.title), {}}}};

void FillStep(Session& s, FuzzedDataProvider& in) {
    ColumnPick& c = s.control();
    if (in.ConsumeBool()) {
        FuzzedDatabase db(in);
        const std::string query = ConsumeText(in, 16);
        return Step(s, "FillComboBoxMultiColumn", kFill,
                    [&] { c.FillComboBoxMultiColumn(db, query); });
    }
    const Variant rec =
        in.ConsumeIntegralInRange(0, 7) == 0
            ? ConsumeVariant(in, 0)
            : Variant(std::shared_ptr<Object>(std::make_shared<FuzzedRecordset>(in)));
    Step(s, "FillComboBoxMultiColumnRecordset", kFill,
         [&] { c.FillComboBoxMultiColumnRecordset(rec); });
}

void SettingsStep(Session& s, FuzzedDataProvider& in) {
    ColumnPick& c = s.control();
    const auto columns = in.ConsumeIntegralInRange<std::int16_t>(1, 5);
    const auto bound = in.ConsumeIntegralInRange<std::int16_t>(0, 5);
    Step(s, "column settings", Outcome{}, [&] {
        c.ColumnCount(columns);
        c.BoundColumn(bound);
        c.ColumnWidths("");
    });
}

}  // namespace
}  // namespace cp::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace cp::fuzz;
    FuzzedDataProvider in(data, size);
    Session s;
    for (int i = 0; i < kMaxSteps && in.remaining_bytes() > 0; ++i) {
        switch (in.ConsumeIntegralInRange(0, 5)) {
            case 0:
                SettingsStep(s, in);
                break;
            case 1:
            case 2:
                FillStep(s, in);
                break;
            default:
                PlayUser(s, in, Outcome{});
                break;
        }
    }
    return 0;
}
