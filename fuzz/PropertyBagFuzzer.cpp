// A stored form read back by the control: every persisted key absent or holding a value of any
// type, keys in any case, then a fill and a user working with whatever settings loaded. What
// loaded without error is saved and loaded again, and must come back the same.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>

#include "fuzz/FuzzedValues.h"
#include "fuzz/Outcome.h"
#include "fuzz/UserPlay.h"
#include "platform/sim/PropertyStore.h"
#include "reports/Messages.h"

namespace cp::fuzz {
namespace {

constexpr int kMaxSteps = 24;

// Alignments: a string that is often one the control accepts.
enum class Stored { Long, Integer, Boolean, Byte, String, Alignments };

struct Key {
    const char* name;
    Stored type;
};

constexpr Key kKeys[] = {
    {"BackColorNormal", Stored::Long},
    {"ForeColorNormal", Stored::Long},
    {"BackColorSelected", Stored::Long},
    {"ForeColorSelected", Stored::Long},
    {"ListRows", Stored::Integer},
    {"Enabled", Stored::Boolean},
    {"BoundColumn", Stored::Integer},
    {"ColumnCount", Stored::Integer},
    {"ListWidth", Stored::Integer},
    {"Appearance", Stored::Byte},
    {"Locked", Stored::Boolean},
    {"Text", Stored::String},
    {"ColumnHeads", Stored::Boolean},
    {"ColumnCaptions", Stored::String},
    {"ColumnAlignments", Stored::Alignments},
};

// A value of the key's stored type, or of any type at all.
Variant ConsumeStored(FuzzedDataProvider& in, Stored type) {
    if (in.ConsumeIntegralInRange(0, 3) == 0) return ConsumeVariant(in, 0);
    switch (type) {
        case Stored::Long:
            return Variant(in.ConsumeIntegral<std::int32_t>());
        case Stored::Integer:
            return Variant(in.ConsumeIntegralInRange<std::int16_t>(-3, 20));
        case Stored::Boolean:
            return Variant(in.ConsumeBool());
        case Stored::Byte:
            return Variant(in.ConsumeIntegral<std::uint8_t>());
        case Stored::Alignments:
            return Variant(in.ConsumeBool() ? ConsumeText(in, 8)
                                            : std::string(in.PickValueInArray(
                                                  {"0;1;2", "L;r;C", "1", "0;x", ""})));
        default:
            return Variant(ConsumeText(in, 16));
    }
}

// A key as a form file may spell it: the property store compares keys without case.
std::string Spelling(FuzzedDataProvider& in, const char* name) {
    std::string key = name;
    if (in.ConsumeBool()) {
        for (char& ch : key)
            if (ch >= 'a' && ch <= 'z' && in.ConsumeBool()) ch = static_cast<char>(ch - 32);
    }
    return key;
}

// Everything that the store holds, as the control reports it.
using Settings = std::array<Variant, std::size(kKeys)>;

Settings Read(ColumnPick& c) {
    return {Variant(c.BackColorNormal()),
            Variant(c.ForeColorNormal()),
            Variant(c.BackColorSelected()),
            Variant(c.ForeColorSelected()),
            Variant(c.ListRows()),
            Variant(c.Enabled()),
            Variant(c.BoundColumn()),
            Variant(c.ColumnCount()),
            Variant(c.ListWidth()),
            Variant(std::int32_t{c.Appearance()}),
            Variant(c.Locked()),
            Variant(c.Text()),
            Variant(c.ColumnHeads()),
            Variant(c.ColumnCaptions()),
            Variant(c.ColumnAlignments())};
}

// A store that the control wrote loads without error and gives the same settings again.
void CheckSavedAgain(Session& s) {
    sim::PropertyStore saved;
    s.host().WriteProperties(saved);
    const Settings before = Read(s.control());
    Session again(SessionOptions{.placement = {.properties = &saved}});
    CheckAfter(again, "loading a saved store", Before{}, Outcome{});
    const Settings after = Read(again.control());
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (!SameValue(before[i], after[i])) {
            Fail("loading a saved store", std::string(kKeys[i].name) + " came back changed");
        }
    }
}

// The host fills the control with whatever its stored column count makes of the strings.
void FillStep(Session& s, FuzzedDataProvider& in) {
    ColumnPick& c = s.control();
    const std::string widths = in.ConsumeBool() ? std::string() : std::string("1000;1000");
    const std::string items = in.PickValueInArray({"a;b;c;d;e;f", "1;one;2;two", "x", "a;b;c"});
    Outcome o{
        .prompts = {messages::kWidthsFirst, messages::TooManyWidths(2, c.ColumnCount())},
        .reports = {{"ColumnPick - ColumnWidths", {vberr::Overflow, vberr::SubscriptOutOfRange}},
                    {"ColumnPick - AddList", {vberr::SubscriptOutOfRange, vberr::DivisionByZero}}}};
    Step(s, "a fill", o, [&] {
        c.ColumnWidths(widths);
        c.AddList(items);
    });
}

}  // namespace
}  // namespace cp::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace cp;
    using namespace cp::fuzz;
    FuzzedDataProvider in(data, size);
    sim::PropertyStore bag;
    for (const Key& key : kKeys) {
        if (in.ConsumeBool()) bag.Set(Spelling(in, key.name), ConsumeStored(in, key.type));
    }
    Session s(SessionOptions{.placement = {.properties = &bag}});
    // A value that cannot be converted fails the load with the conversion's error.
    const Outcome load{
        .hostErrors = {vberr::Overflow, vberr::TypeMismatch, vberr::InvalidUseOfNull}};
    const bool loaded = s.world().HostErrors().empty();
    CheckAfter(s, "loading", Before{}, load);
    if (loaded) CheckSavedAgain(s);
    for (int i = 0; i < kMaxSteps && in.remaining_bytes() > 0; ++i) {
        if (in.ConsumeIntegralInRange(0, 3) == 0) {
            FillStep(s, in);
        } else {
            PlayUser(s, in, Outcome{});
        }
    }
    return 0;
}
