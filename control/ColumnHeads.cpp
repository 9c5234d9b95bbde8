// The header row's settings and the columns' alignments. Neither touches the item table; both
// take effect the next time the list is drawn.
#include <cctype>
#include <optional>

#include "control/ColumnPick.h"
#include "runtime/RuntimeError.h"
#include "table/ItemString.h"

namespace cp {
namespace {

// One field of an alignment string: a digit or its letter, upper or lower case, blanks around
// it allowed; nullopt for anything else.
std::optional<ColumnAlignment> ParseAlignment(std::string_view field) {
    while (!field.empty() && field.front() == ' ')
        field.remove_prefix(1);
    while (!field.empty() && field.back() == ' ')
        field.remove_suffix(1);
    if (field.size() != 1) return std::nullopt;
    switch (std::toupper(static_cast<unsigned char>(field.front()))) {
        case '0':
        case 'L':
            return ColumnAlignment::Left;
        case '1':
        case 'R':
            return ColumnAlignment::Right;
        case '2':
        case 'C':
            return ColumnAlignment::Centre;
        default:
            return std::nullopt;
    }
}

}  // namespace

bool ColumnPick::ColumnHeads() const {
    return columns.blnColumnHeads;
}

void ColumnPick::ColumnHeads(bool value) {
    // An open list keeps the band it opened with until it closes.
    columns.blnColumnHeads = value;
    UserControl.PropertyChanged("ColumnHeads");
}

std::string ColumnPick::ColumnCaptions() const {
    return columns.strColumnCaptions;
}

void ColumnPick::ColumnCaptions(const std::string& value) {
    columns.strColumnCaptions = value;
    UserControl.PropertyChanged("ColumnCaptions");
}

std::string ColumnPick::ColumnAlignments() const {
    return columns.strColumnAlignments;
}

void ColumnPick::ColumnAlignments(const std::string& value) {
    if (!SetAlignments(value)) Raise(vberr::InvalidPropertyValue);
    UserControl.PropertyChanged("ColumnAlignments");
}

bool ColumnPick::SetAlignments(const std::string& value) {
    std::vector<ColumnAlignment> parsed;
    // An empty string leaves every column left-aligned.
    if (!value.empty()) {
        for (std::string_view field : SplitFields(value)) {
            const std::optional<ColumnAlignment> alignment = ParseAlignment(field);
            if (!alignment) return false;
            parsed.push_back(*alignment);
        }
    }
    columns.alignments = std::move(parsed);
    columns.strColumnAlignments = value;
    return true;
}

ColumnAlignment ColumnPick::AlignmentOf(int column) const {
    if (column < 0 || static_cast<std::size_t>(column) >= columns.alignments.size())
        return ColumnAlignment::Left;
    return columns.alignments[static_cast<std::size_t>(column)];
}

std::string ColumnPick::CaptionOf(int column) const {
    // Captions the host gave win over the fields' names, even where they give fewer columns.
    if (columns.strColumnCaptions.empty()) {
        if (column < 0 || static_cast<std::size_t>(column) >= columns.fieldCaptions.size())
            return {};
        return columns.fieldCaptions[static_cast<std::size_t>(column)];
    }
    int index = 0;
    std::string caption;
    ForEachField(columns.strColumnCaptions, [&](std::string_view field) {
        if (index++ == column) caption = field;
    });
    return caption;
}

}  // namespace cp
