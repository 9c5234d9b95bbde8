#include "fuzz/Outcome.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "runtime/Variant.h"
#include "tests/support/ColumnPickProbe.h"

namespace cp::fuzz {
namespace {

constexpr std::string_view kReportNumber = "\r\n\r\nError ";

// Rows are drawn with a width for each column: with ColumnCount set after ColumnWidths, the
// widths run out and every row drawn is a subscript failure, reported by the list's drawing.
const ReportBox kShortWidths{"basfile - function2", {vberr::SubscriptOutOfRange}};

// A table filled from a database or by a host's Variants can hold an entry without a text form
// (an object, an array, a Date the host cannot show). Whatever needs that text (drawing the row,
// matching typed text, committing the row) fails with the conversion's error and reports it.
const std::vector<std::int32_t> kConversionErrors = {vberr::Overflow, vberr::TypeMismatch};

bool HoldsEntryWithoutText(Session& s) {
    const Variant items = s.control().ArrayWithItems();
    for (const Variant& entry : items.Array()->Elements()) {
        try {
            DisplayText(entry);
        } catch (const RuntimeError&) {
            return true;
        }
    }
    return false;
}

// A stored ListRows outside 2 to 15 is loaded as it is; when the list opens with more rows than
// the height table has entries for (or a negative count), the opening fails with a report.
const ReportBox kListRowsBeyondHeights{"ColumnPick - ShowListBox", {vberr::SubscriptOutOfRange}};
constexpr std::int16_t kMostListRows = 15;

bool ListRowsBeyondHeights(Session& s) {
    const std::int16_t rows = s.control().ListRows();
    return rows < 0 || rows > kMostListRows;
}

// A page is ListRows - 1 rows: with a stored ListRows below 1 the page keys step backwards,
// to a row before the first, which the list refuses.
const ReportBox kPageBackwards{"ColumnPick - SelectNextPreviousItemInListBox",
                               {vberr::InvalidPropertyValue}};

// A disabled control's field cannot take the focus that closing the list gives it back; the
// closing reports that and goes on.
const ReportBox kNoFocusToGive{"ColumnPick - HideListBox", {vberr::InvalidProcedureCall}};

bool WidthsShort(Session& s) {
    ColumnPickProbe probe(s.control());
    return probe.lngColumnWidths().size() < static_cast<std::size_t>(probe.intColumnCount());
}

// The drawing adds the column widths up in 16 bits, for the column lines: widths that together
// pass 32767 pixels (a width string of absurd numbers) overflow there, row after row.
const ReportBox kWidthsOverflow{"basfile - function2", {vberr::Overflow}};
constexpr std::int64_t kMostPixels = 32767;

bool WidthsOverflow(Session& s) {
    std::int64_t sum = 0;
    for (std::int32_t width : ColumnPickProbe(s.control()).lngColumnWidths())
        sum += width < 0 ? -static_cast<std::int64_t>(width) : width;
    return sum > kMostPixels;
}

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

bool ConversionReport(const sim::MessageBoxRecord& box) {
    const std::optional<std::int32_t> number = ReportedNumber(box.prompt);
    return number && std::find(kConversionErrors.begin(), kConversionErrors.end(), *number) !=
                         kConversionErrors.end();
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

bool Tracing() {
    static const bool tracing = std::getenv("CP_FUZZ_TRACE") != nullptr;
    return tracing;
}

std::string Named(std::string_view step, std::string_view argument) {
    std::string name(step);
    if (!Tracing()) return name;
    name += " \"";
    for (unsigned char c : argument) {
        if (c >= ' ' && c < 0x7F) {
            name += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            name += hex;
        }
    }
    return name + "\"";
}

void Trace(Session& s, std::string_view step) {
    if (!Tracing()) return;
    const Variant items = s.control().ArrayWithItems();
    const VariantArray& table = *items.Array();
    std::fprintf(stderr, "%.*s: ListCount %d, ListIndex %d, list window %d rows, table %d x %d\n",
                 static_cast<int>(step.size()), step.data(), s.control().ListCount(),
                 s.control().ListIndex(), s.ListWindow().count,
                 table.Dimensions() > 0 ? table.Extent(0) : -1,
                 table.Dimensions() > 1 ? table.Extent(1) : -1);
    for (const auto& box : s.world().MessageBoxes())
        std::fprintf(stderr, "  box: %s\n", box.prompt.c_str());
}

Before Mark(Session& s) {
    return Before{s.world().MessageBoxes().size(), s.world().HostErrors().size(),
                  s.control().ListIndex(), WidthsShort(s)};
}

void CheckAfter(Session& s, std::string_view step, const Before& before, const Outcome& outcome) {
    Outcome allowed = outcome;
    if (before.widthsShort || WidthsShort(s)) allowed.reports.push_back(kShortWidths);
    if (WidthsOverflow(s)) allowed.reports.push_back(kWidthsOverflow);
    if (ListRowsBeyondHeights(s)) allowed.reports.push_back(kListRowsBeyondHeights);
    if (s.control().ListRows() < 1) allowed.reports.push_back(kPageBackwards);
    if (!s.control().Enabled()) allowed.reports.push_back(kNoFocusToGive);
    // Looked at only when a box or an escaped error needs it: it converts every entry.
    const auto withoutText = [&s] { return HoldsEntryWithoutText(s); };
    const auto& boxes = s.world().MessageBoxes();
    for (std::size_t i = before.boxes; i < boxes.size(); ++i) {
        if (!PromptAllowed(boxes[i], allowed) && !ReportAllowed(boxes[i], allowed) &&
            !(ConversionReport(boxes[i]) && withoutText())) {
            Fail(step, "showed \"" + boxes[i].prompt + "\" titled \"" +
                           boxes[i].title.value_or("(default)") + "\"");
        }
    }
    const auto& escaped = s.world().HostErrors();
    for (std::size_t i = before.hostErrors; i < escaped.size(); ++i) {
        const sim::HostError& e = escaped[i];
        const bool conversion = std::find(kConversionErrors.begin(), kConversionErrors.end(),
                                          e.number) != kConversionErrors.end() &&
                                withoutText();
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
    const sim::ListBoxState& list = s.ListWindow();
    if (list.count != count) {
        Fail(step, "the list window counts " + std::to_string(list.count) + " rows of " +
                       std::to_string(count));
    }
    if (list.selection < -1 || list.selection >= list.count) {
        Fail(step, "the list window selects row " + std::to_string(list.selection));
    }
    const std::size_t boxes = s.world().MessageBoxes().size();
    c.Value();
    if (s.world().MessageBoxes().size() != boxes) Fail(step, "reading Value showed a box");
}

}  // namespace cp::fuzz
