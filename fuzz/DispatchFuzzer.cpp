// Every published member called by its dispatch identifier, as a late-bound host calls it,
// with arguments of every Variant type (too few and too many of them too), interleaved with
// fills from databases and recordsets of any content.
#include <fuzzer/FuzzedDataProvider.h>

#include "control/PublicInterface.h"
#include "data/rows/RowBlock.h"
#include "fuzz/FuzzedDatabase.h"
#include "fuzz/FuzzedValues.h"
#include "fuzz/Outcome.h"
#include "reports/Messages.h"
#include "reports/ReportTitles.h"
#include "runtime/Conversions.h"
#include "shell/frmAbout.h"

namespace cp::fuzz {
namespace {

constexpr int kMaxCalls = 32;
constexpr std::int32_t kArgumentNotOptional = 449;

// What a call may raise: the dispatch layer's own failures, the conversions of its arguments,
// and the members' run-time errors (a list index the list refuses, a bound column beyond the
// table, the property-value errors).
const std::vector<std::int32_t> kCallErrors = {
    vberr::Overflow,
    vberr::SubscriptOutOfRange,
    vberr::TypeMismatch,
    vberr::InvalidUseOfNull,
    vberr::InvalidPropertyValue,
    vberr::WriteOnlyProperty,
    vberr::ObjectRequired,
    vberr::NoSuchMember,
    kArgumentNotOptional,
    messages::kBoundColumnError,
    messages::kColumnCountError,
    messages::kListWidthError,
    messages::kListRowsError,
};

// The boxes that the members show for the arguments they are given.
Outcome CallOutcome(ColumnPick& c, std::string_view member, const std::vector<Variant>& args) {
    Outcome o;
    o.errors = kCallErrors;
    // ShowDropDown hands the host the failure to move the focus to a field that cannot take it.
    if (member == "ShowDropDown") o.errors.push_back(vberr::InvalidProcedureCall);
    o.prompts = {messages::kEmptyItemString,    messages::kWidthsFirst,
                 messages::kColumnCountMinimum, messages::kMinimumZero,
                 messages::kListRowsRange,      messages::kListWidthMinimum,
                 messages::kFillWidthsFirst,    messages::ColumnItems(c.ColumnCount())};
    if (!args.empty() && args[0].IsString()) {
        o.prompts.push_back(messages::TooManyWidths(
            static_cast<std::int64_t>(FieldCount(args[0].String())), c.ColumnCount()));
    }
    o.titled = {{kAboutCaption, std::string("ColumnPick ") + kAboutVersion + "\r\n\r\n" +
                                    std::string(iface::Ids().typeLibraryHelp)}};
    o.reports = {{"ColumnPick - AddItem", {vberr::SubscriptOutOfRange, vberr::Overflow}},
                 {"ColumnPick - AddList", {vberr::SubscriptOutOfRange, vberr::Overflow}},
                 {"ColumnPick - ColumnWidths", {vberr::TypeMismatch, vberr::Overflow}},
                 {std::string(titles::kQueryFill.title), {}},
                 // A database of the fuzzer's cannot serve its rows a page at a time.
                 {std::string(titles::kServerRows.title), {rows::kErrNotSupported}}};
    return o;
}

Variant ConsumeArgument(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 9)) {
        case 0:
            return Variant(std::shared_ptr<Object>(std::make_shared<FuzzedDatabase>(in)));
        case 1:
            return Variant(std::shared_ptr<Object>(std::make_shared<FuzzedRecordset>(in)));
        default:
            return ConsumeVariant(in, 1);
    }
}

// The Variant type that a Get of the declared type hands back.
bool ResultFits(std::string_view type, const Variant& result) {
    if (type == "Variant") return true;
    if (type == "Integer") return result.Type() == VarType::Integer;
    if (type == "Long" || type == "OLE_COLOR" || type == "typAppearance") {
        return result.Type() == VarType::Long;
    }
    if (type == "Boolean") return result.Type() == VarType::Boolean;
    if (type == "String") return result.Type() == VarType::String;
    return false;
}

void Call(Session& s, FuzzedDataProvider& in) {
    const auto members = iface::Members();
    const iface::Member& m = members[in.ConsumeIntegralInRange<std::size_t>(0, members.size() - 1)];
    std::size_t count = m.params.size();
    if (in.ConsumeIntegralInRange(0, 7) == 0) count = in.ConsumeIntegralInRange<std::size_t>(0, 3);
    std::vector<Variant> args;
    for (std::size_t i = 0; i < count; ++i)
        args.push_back(ConsumeArgument(in));
    const std::vector<Variant> passed = args;
    Variant result;
    bool returned = false;
    std::string described;
    if (Tracing()) {
        for (const Variant& arg : args)
            described += Describe(arg) + ", ";
    }
    Step(s, Named(m.name, described), CallOutcome(s.control(), m.name, args), [&] {
        result = iface::Invoke(s.control(), m.dispid, m.kind, args);
        returned = true;
    });
    // An argument passed by value is the host's own: the call never changes it.
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool byRef = i < m.params.size() && m.params[i].passing == iface::Passing::ByRef;
        if (!byRef && !SameValue(args[i], passed[i])) Fail(m.name, "changed a by-value argument");
    }
    if (returned && m.kind == iface::Kind::PropertyGet && !ResultFits(m.type, result)) {
        Fail(m.name, "returned a value of another type than " + std::string(m.type));
    }
}

}  // namespace
}  // namespace cp::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    cp::fuzz::Session s;
    for (int i = 0; i < cp::fuzz::kMaxCalls && in.remaining_bytes() > 0; ++i)
        cp::fuzz::Call(s, in);
    return 0;
}
