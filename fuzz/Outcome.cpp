#include "fuzz/Outcome.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "fuzz/SearchCheck.h"
#include "fuzz/SettingFailures.h"

namespace cp::fuzz {
namespace {

constexpr std::string_view kReportNumber = "\r\n\r\nError ";

bool ReportAllowed(const sim::MessageBoxRecord& box, const Outcome& allowed) {
    const std::optional<std::int32_t> number = ReportedNumber(box.prompt);
    if (!number || !box.title) return false;
    return std::any_of(allowed.reports.begin(), allowed.reports.end(), [&](const ReportBox& r) {
        return r.title == *box.title &&
               (r.numbers.empty() ||
                std::find(r.numbers.begin(), r.numbers.end(), *number) != r.numbers.end());
    });
}

bool PromptAllowed(const sim::MessageBoxRecord& box, const Outcome& allowed) {
    if (box.title) {
        return std::find(allowed.titled.begin(), allowed.titled.end(),
                         std::pair{*box.title, box.prompt}) != allowed.titled.end();
    }
    return std::find(allowed.prompts.begin(), allowed.prompts.end(), box.prompt) !=
           allowed.prompts.end();
}

}  // namespace

void Fail(std::string_view step, const std::string& what) {
    std::fprintf(stderr, "\n*** %.*s: %s\n", static_cast<int>(step.size()), step.data(),
                 what.c_str());
    std::abort();
}

std::optional<std::int32_t> ReportedNumber(std::string_view prompt) {
    const auto at = prompt.find(kReportNumber);
    if (at == std::string_view::npos) return std::nullopt;
    const std::string_view rest = prompt.substr(at + kReportNumber.size());
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), number);
    if (error != std::errc() || end == rest.data() + rest.size() || *end != ':')
        return std::nullopt;
    return number;
}

Before Mark(Session& s) {
    return Before{s.world().MessageBoxes().size(), s.world().HostErrors().size(),
                  s.control().ListIndex(), WidthsShort(s)};
}

void CheckAfter(Session& s, std::string_view step, const Before& before, const Outcome& outcome) {
    Outcome allowed = outcome;
    AddReportsOfSettings(s, before.widthsShort, allowed);
    // Looked at only when a box or an escaped error needs it: it converts every entry.
    const auto withoutText = [&s] { return HoldsEntryWithoutText(s); };
    const auto& boxes = s.world().MessageBoxes();
    for (std::size_t i = before.boxes; i < boxes.size(); ++i) {
        if (!PromptAllowed(boxes[i], allowed) && !ReportAllowed(boxes[i], allowed) &&
            !(IsConversionError(ReportedNumber(boxes[i].prompt)) && withoutText())) {
            Fail(step, "showed \"" + boxes[i].prompt + "\" titled \"" +
                           boxes[i].title.value_or("(default)") + "\"");
        }
    }
    const auto& escaped = s.world().HostErrors();
    for (std::size_t i = before.hostErrors; i < escaped.size(); ++i) {
        const sim::HostError& e = escaped[i];
        const bool conversion = IsConversionError(e.number) && withoutText();
        if (!conversion && std::find(allowed.hostErrors.begin(), allowed.hostErrors.end(),
                                     e.number) == allowed.hostErrors.end()) {
            Fail(step, "let error " + std::to_string(e.number) + " (" + e.description +
                           ") escape from " + e.notification);
        }
    }
    // The records only serve this check; a long run must not keep them all.
    s.world().ClearMessageBoxes();
    s.world().ClearHostErrors();
    CheckData(s, step, before.listIndex);
}

void CheckData(Session& s, std::string_view step, std::int32_t listIndexBefore) {
    ColumnPick& c = s.control();
    const std::int32_t count = c.ListCount();
    if (count < 0) Fail(step, "ListCount is " + std::to_string(count));
    const Variant items = c.ArrayWithItems();
    if (!items.IsArray() || !items.Array()) Fail(step, "ArrayWithItems is no array");
    const VariantArray& table = *items.Array();
    if (count > 0 && (table.Dimensions() != 2 || table.Extent(1) < count)) {
        Fail(step, "ArrayWithItems does not span the " + std::to_string(count) + " rows");
    }
    const std::int32_t index = c.ListIndex();
    if (index < -1 || (index >= count && index != listIndexBefore)) {
        Fail(step, "ListIndex moved to " + std::to_string(index) + " of " + std::to_string(count));
    }
    const sim::ListBoxState& list = s.ListState();
    // A filtered list shows some of the rows; an unfiltered one shows them all.
    if (c.FilterList() ? list.count > count : list.count != count) {
        Fail(step, "the list window counts " + std::to_string(list.count) + " rows of " +
                       std::to_string(count));
    }
    if (list.selection < -1 || list.selection >= list.count) {
        Fail(step, "the list window selects row " + std::to_string(list.selection));
    }
    CheckSearches(s, step, table, count);
    const std::size_t boxes = s.world().MessageBoxes().size();
    c.Value();
    if (s.world().MessageBoxes().size() != boxes) Fail(step, "reading Value showed a box");
}

}  // namespace cp::fuzz
