// The texts of the usage messages and of the property-value reports, word for word.
#pragma once

#include <cstdint>
#include <string>

namespace cp::messages {

inline constexpr const char* kEmptyItemString =
    "The string strItem cannot be empty, ie. 'first;1;second;2'.";

inline constexpr const char* kWidthsFirst =
    "You must specify the width of the columns before filling the combobox! Example: "
    "ColumnPick1.ColumnWidths = \"\" for one column (the listbox width equals the combobox "
    "width) or \"1000;1800\" for two columns.";

// The database fills ask for the widths in words of their own.
inline constexpr const char* kFillWidthsFirst =
    "You must specify the width of the columns before filling the combobox! Example: "
    "ColumnPick1.ColumnWidths = \"\" for one column (the width of the listbox equals the "
    "combobox width) or \"1000;1800\" for two columns.";

inline std::string ColumnItems(std::int16_t intColumnCount) {
    return "The string strItem must have " + std::to_string(intColumnCount) +
           " column-item(s), ie. 'first;1' for two columns.";
}

inline std::string TooManyWidths(std::int64_t widths, std::int16_t intColumnCount) {
    return "You have set " + std::to_string(widths) + " columnwidths, but there is/are only " +
           std::to_string(intColumnCount) +
           " column(s). The property ColumnWidths is not set. If it is set to \" then the "
           "columnwidth will be set automaticly.";
}

inline constexpr const char* kColumnCountMinimum = "The number of columns must be 1 or more.";
inline constexpr const char* kMinimumZero = "The minimum value for this property is 0.";
inline constexpr const char* kListRowsRange =
    "The value for this property can vary between 2 and 15.";
inline constexpr const char* kListWidthMinimum = "The minimum value for this property is 390.";

// The numbers of the property-value reports when they are raised as run-time errors.
inline constexpr std::int32_t kBoundColumnError = 774;
inline constexpr std::int32_t kColumnCountError = 775;
inline constexpr std::int32_t kListWidthError = 776;
inline constexpr std::int32_t kListRowsError = 777;

}  // namespace cp::messages
