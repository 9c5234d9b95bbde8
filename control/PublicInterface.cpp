#include "control/PublicInterface.h"

#include "control/ColumnPickEvents.h"

namespace cp::iface {
namespace {

using enum Kind;
using enum Passing;

constexpr Param kStrItem[] = {{"strItem", "String", ByValue}};
constexpr Param kIntColumn[] = {{"intColumn", "Integer", ByValue}};
constexpr Param kFill[] = {{"dbDatabase", "Database", ByValue},
                           {"strSelectQuery", "String", ByValue}};
constexpr Param kConnect[] = {{"dbDatabase", "Database", ByValue},
                              {"strSource", "String", ByValue},
                              {"strKeyField", "String", ByValue}};
constexpr Param kRec[] = {{"rec", "Variant", ByValue}};
constexpr Param kLngIndex[] = {{"lngIndex", "Long", ByRef}};
constexpr Param kNone[1] = {};

constexpr Param kAppearanceValue[] = {{"value", "typAppearance", ByValue}};
constexpr Param kColorValue[] = {{"value", "OLE_COLOR", ByValue}};
constexpr Param kIntegerByRef[] = {{"value", "Integer", ByRef}};
constexpr Param kBooleanByRef[] = {{"value", "Boolean", ByRef}};
constexpr Param kBooleanValue[] = {{"value", "Boolean", ByValue}};
constexpr Param kStringByRef[] = {{"value", "String", ByRef}};
constexpr Param kStringValue[] = {{"value", "String", ByValue}};
constexpr Param kIntegerValue[] = {{"value", "Integer", ByValue}};
constexpr Param kLongValue[] = {{"value", "Long", ByValue}};
constexpr Param kVariantValue[] = {{"value", "Variant", ByValue}};

constexpr std::span<const Param> None() {
    return std::span<const Param>(kNone, 0);
}

constexpr std::string_view kAddItemHelp =
    "Adds an item to the combobox.\r\nExample:\r\n    ColumnPick1.ColumnWidths = \"200;200\"\r\n"
    "    ColumnPick1.AddItem \"1;first;2;second\"";
constexpr std::string_view kAddListHelp =
    "Example:\r\n    ColumnPick1.ColumnWidths = \"200;200\"\r\n"
    "    ColumnPick1.AddList \"1;first;2;second;3;third\"";
constexpr std::string_view kAppearanceHelp =
    "Returns/sets whether or not the control is painted at run time with 3-D effects.";
constexpr std::string_view kBackColorNormalHelp =
    "Returns/sets the background color of an item in the listbox.";
constexpr std::string_view kBackColorSelectedHelp =
    "Returns/sets the background color of a selected item in the listbox.";
constexpr std::string_view kBoundColumnHelp =
    "Returns/sets the bound column which contains a unique number added to the combobox. The "
    "first column starts with 0.";
constexpr std::string_view kColumnCountHelp =
    "Returns/sets the number of columns. The minimum is one column.";
constexpr std::string_view kColumnWidthsHelp =
    "Sets the columnwidts for columns. For example, \"\" for one culumn and  1000;1800 for two "
    "columns. The minimum columnwidth is 60. When set in code: \"\" for one column and  "
    "\"1000;1800\" for two columns.";
constexpr std::string_view kEnabledHelp =
    "Returns/sets a value that determines whether an object can respond to user-generated "
    "events.";
constexpr std::string_view kForeColorNormalHelp =
    "Returns/sets the foreground color of an item in the listbox.";
constexpr std::string_view kForeColorSelectedHelp =
    "Returns/sets the foreground color of a selected item in the listbox.";
constexpr std::string_view kListCountHelp =
    "Returns the number of items in the list portion of a control.";
constexpr std::string_view kListIndexHelp =
    "Returns/sets the index of the currently selected item in the control.";
constexpr std::string_view kListWidthHelp =
    "Returns/sets the width of the combobox drop-down list. If set to -1 then the width of the "
    "drop-down list will be the same as the combobox width.";
constexpr std::string_view kListRowsHelp =
    "Returns/sets the maximum number of rows in the combobox list. The minimum is two rows and "
    "the maximum is fifteen rows.";
constexpr std::string_view kLockedHelp = "Determines whether a control can be edited.";
constexpr std::string_view kRemoveItemHelp = "Removes an item from the ComboBox.";
constexpr std::string_view kMatchModeHelp =
    "Returns/sets how typing finds rows: 0 = the start of the first column, 1 = the start of a "
    "word of a searched column, 2 = any part of a searched column.";
constexpr std::string_view kSearchColumnsHelp =
    "Returns/sets the columns that typing searches when MatchMode is 1 or 2, as \"0;2\".";
constexpr std::string_view kFilterListHelp =
    "Returns/sets whether the open list shows only the rows that match the typed text.";
constexpr std::string_view kColumnHeadsHelp =
    "Returns/sets whether the drop-down list shows a header row with the column captions.";
constexpr std::string_view kColumnCaptionsHelp =
    "Returns/sets the captions of the header row, one per column: \"Name;Code\".";
constexpr std::string_view kColumnAlignmentsHelp =
    "Returns/sets the alignment of each column's text: 0 or L left, 1 or R right, 2 or C "
    "centred, one per column: \"0;1\".";
constexpr std::string_view kConnectHelp =
    "Shows the rows of a table or SELECT that stay on the database server, read a page at a time; "
    "strKeyField names their unique key (empty for a table's own).";
constexpr std::string_view kFitColumnWidthsHelp =
    "Sets the column widths to the widest text of each column and returns them as a "
    "ColumnWidths string.";
constexpr std::string_view kValueHelp =
    "Selects/gets the boundcolumn of the currently selected item.";

const Member kMembers[] = {
    {"About", Method, DISPID_ABOUTBOX, "", None(),
     "Shows information about the combobox and the creator."},
    {"AddItem", Method, dispid::AddItem, "", kStrItem, kAddItemHelp},
    {"AddList", Method, dispid::AddList, "", kStrItem, kAddListHelp},
    {"Appearance", PropertyGet, dispid::Appearance, "typAppearance", None(), kAppearanceHelp},
    {"Appearance", PropertyLet, dispid::Appearance, "typAppearance", kAppearanceValue,
     kAppearanceHelp},
    {"ArrayWithItems", PropertyGet, dispid::ArrayWithItems, "Variant", None(), ""},
    {"BackColorNormal", PropertyGet, dispid::BackColorNormal, "OLE_COLOR", None(),
     kBackColorNormalHelp},
    {"BackColorNormal", PropertyLet, dispid::BackColorNormal, "OLE_COLOR", kColorValue,
     kBackColorNormalHelp},
    {"BackColorSelected", PropertyGet, dispid::BackColorSelected, "OLE_COLOR", None(),
     kBackColorSelectedHelp},
    {"BackColorSelected", PropertyLet, dispid::BackColorSelected, "OLE_COLOR", kColorValue,
     kBackColorSelectedHelp},
    {"BoundColumn", PropertyGet, dispid::BoundColumn, "Integer", None(), kBoundColumnHelp},
    {"BoundColumn", PropertyLet, dispid::BoundColumn, "Integer", kIntegerByRef, kBoundColumnHelp},
    {"Clear", Method, dispid::Clear, "", None(), ""},
    {"Column", PropertyGet, dispid::Column, "Variant", kIntColumn, ""},
    {"ColumnCount", PropertyGet, dispid::ColumnCount, "Integer", None(), kColumnCountHelp},
    {"ColumnCount", PropertyLet, dispid::ColumnCount, "Integer", kIntegerByRef, kColumnCountHelp},
    {"ColumnLineForeColor", PropertyLet, dispid::ColumnLineForeColor, "OLE_COLOR", kColorValue, ""},
    {"ColumnWidths", PropertyLet, dispid::ColumnWidths, "String", kStringByRef, kColumnWidthsHelp},
    {"ComboBoxIsOpen", PropertyGet, dispid::ComboBoxIsOpen, "Boolean", None(), ""},
    {"Enabled", PropertyGet, dispid::Enabled, "Boolean", None(), kEnabledHelp},
    {"Enabled", PropertyLet, dispid::Enabled, "Boolean", kBooleanByRef, kEnabledHelp},
    {"FillComboBoxMultiColumn", Method, dispid::FillComboBoxMultiColumn, "", kFill, ""},
    {"FillComboBoxMultiColumnRecordset", Method, dispid::FillComboBoxMultiColumnRecordset, "", kRec,
     ""},
    {"ForeColorNormal", PropertyGet, dispid::ForeColorNormal, "OLE_COLOR", None(),
     kForeColorNormalHelp},
    {"ForeColorNormal", PropertyLet, dispid::ForeColorNormal, "OLE_COLOR", kColorValue,
     kForeColorNormalHelp},
    {"ForeColorSelected", PropertyGet, dispid::ForeColorSelected, "OLE_COLOR", None(),
     kForeColorSelectedHelp},
    {"ForeColorSelected", PropertyLet, dispid::ForeColorSelected, "OLE_COLOR", kColorValue,
     kForeColorSelectedHelp},
    {"ListCount", PropertyGet, dispid::ListCount, "Long", None(), kListCountHelp},
    {"ListIndex", PropertyGet, dispid::ListIndex, "Long", None(), kListIndexHelp},
    {"ListIndex", PropertyLet, dispid::ListIndex, "Long", kLongValue, kListIndexHelp},
    {"ListWidth", PropertyGet, dispid::ListWidth, "Integer", None(), kListWidthHelp},
    {"ListWidth", PropertyLet, dispid::ListWidth, "Integer", kIntegerByRef, kListWidthHelp},
    {"ListRows", PropertyGet, dispid::ListRows, "Integer", None(), kListRowsHelp},
    {"ListRows", PropertyLet, dispid::ListRows, "Integer", kIntegerByRef, kListRowsHelp},
    {"Locked", PropertyGet, dispid::Locked, "Boolean", None(), kLockedHelp},
    {"Locked", PropertyLet, dispid::Locked, "Boolean", kBooleanValue, kLockedHelp},
    {"RemoveItem", Method, dispid::RemoveItem, "", kLngIndex, kRemoveItemHelp},
    {"SelectAllTextInTextBox", Method, dispid::SelectAllTextInTextBox, "", None(), ""},
    {"ShowDropDown", Method, dispid::ShowDropDown, "", None(), ""},
    {"Text", PropertyLet, dispid::Text, "String", kStringValue, ""},
    {"Text", PropertyGet, dispid::Text, "String", None(), ""},
    {"Value", PropertyGet, DISPID_VALUE, "Variant", None(), kValueHelp},
    {"Value", PropertyLet, DISPID_VALUE, "Variant", kVariantValue, kValueHelp},
    {"MatchMode", PropertyGet, dispid::MatchMode, "Integer", None(), kMatchModeHelp},
    {"MatchMode", PropertyLet, dispid::MatchMode, "Integer", kIntegerValue, kMatchModeHelp},
    {"SearchColumns", PropertyGet, dispid::SearchColumns, "String", None(), kSearchColumnsHelp},
    {"SearchColumns", PropertyLet, dispid::SearchColumns, "String", kStringValue,
     kSearchColumnsHelp},
    {"FilterList", PropertyGet, dispid::FilterList, "Boolean", None(), kFilterListHelp},
    {"FilterList", PropertyLet, dispid::FilterList, "Boolean", kBooleanValue, kFilterListHelp},
    {"ColumnHeads", PropertyGet, dispid::ColumnHeads, "Boolean", None(), kColumnHeadsHelp},
    {"ColumnHeads", PropertyLet, dispid::ColumnHeads, "Boolean", kBooleanValue, kColumnHeadsHelp},
    {"ColumnCaptions", PropertyGet, dispid::ColumnCaptions, "String", None(), kColumnCaptionsHelp},
    {"ColumnCaptions", PropertyLet, dispid::ColumnCaptions, "String", kStringValue,
     kColumnCaptionsHelp},
    {"ColumnAlignments", PropertyGet, dispid::ColumnAlignments, "String", None(),
     kColumnAlignmentsHelp},
    {"ColumnAlignments", PropertyLet, dispid::ColumnAlignments, "String", kStringValue,
     kColumnAlignmentsHelp},
    {"FitColumnWidths", Method, dispid::FitColumnWidths, "String", None(), kFitColumnWidthsHelp},
    {"ConnectComboBoxMultiColumn", Method, dispid::ConnectComboBoxMultiColumn, "", kConnect,
     kConnectHelp},
};

constexpr Param kKeyArgs[] = {{"KeyCode", "Integer", ByRef}, {"Shift", "Integer", ByRef}};
constexpr Param kKeyAscii[] = {{"KeyAscii", "Integer", ByRef}};
constexpr Param kCancel[] = {{"Cancel", "Boolean", ByRef}};

constexpr std::int32_t Id(EventId event) {
    return static_cast<std::int32_t>(event);
}

const Event kEvents[] = {
    {"AfterUpdate", Id(EventId::AfterUpdate), None()},
    {"KeyDown", Id(EventId::KeyDown), kKeyArgs},
    {"KeyPress", Id(EventId::KeyPress), kKeyAscii},
    {"KeyUp", Id(EventId::KeyUp), kKeyArgs},
    {"Change", Id(EventId::Change), None()},
    {"NotInList", Id(EventId::NotInList), kCancel},
};

constexpr EnumMember kAppearanceMembers[] = {{"lbFlat", 0}, {"lbFlatNoBorder", 1}, {"lb3D", 2}};
constexpr EnumMember kSelectedStateMembers[] = {{"NotSelected", 0}, {"IsSelected", 1}};

const Enumeration kEnumerations[] = {
    {"typAppearance", "{53AFD7C7-2567-11D6-9982-00C0A836120A}", kAppearanceMembers},
    {"SELECTED_STATE", "{53AFD7C8-2567-11D6-9982-00C0A836120A}", kSelectedStateMembers},
};

const Identity kIdentity = {
    "{B10DFE52-7887-11D5-9980-00C0A836120A}", "DAvevaVav multi column with after update event",
    "{B10DFE5A-7887-11D5-9980-00C0A836120A}", "{53AFD7C6-2567-11D6-9982-00C0A836120A}",
    "{53AFD7C9-2567-11D6-9982-00C0A836120A}",
};

}  // namespace

std::span<const Member> Members() {
    return kMembers;
}
std::span<const Event> Events() {
    return kEvents;
}
std::span<const Enumeration> Enumerations() {
    return kEnumerations;
}
const Identity& Ids() {
    return kIdentity;
}
std::string_view DefaultMember() {
    return "Value";
}
std::string_view DefaultEvent() {
    return "AfterUpdate";
}

}  // namespace cp::iface
