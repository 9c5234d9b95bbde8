#include "control/PublicInterface.h"

namespace cp::iface {
namespace {

using enum Kind;
using enum Passing;

constexpr Param kStrItem[] = {{"strItem", "String", ByValue}};
constexpr Param kIntColumn[] = {{"intColumn", "Integer", ByValue}};
constexpr Param kFill[] = {{"dbDatabase", "Database", ByValue},
                           {"strSelectQuery", "String", ByValue}};
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
constexpr std::string_view kValueHelp =
    "Selects/gets the boundcolumn of the currently selected item.";

const Member kMembers[] = {
    {"About", Method, DISPID_ABOUTBOX, "", None(),
     "Shows information about the combobox and the creator."},
    {"AddItem", Method, 0x60030013, "", kStrItem, kAddItemHelp},
    {"AddList", Method, 0x60030014, "", kStrItem, kAddListHelp},
    {"Appearance", PropertyGet, 0x68030012, "typAppearance", None(), kAppearanceHelp},
    {"Appearance", PropertyLet, 0x68030012, "typAppearance", kAppearanceValue, kAppearanceHelp},
    {"ArrayWithItems", PropertyGet, 0x68030011, "Variant", None(), ""},
    {"BackColorNormal", PropertyGet, 0x68030010, "OLE_COLOR", None(), kBackColorNormalHelp},
    {"BackColorNormal", PropertyLet, 0x68030010, "OLE_COLOR", kColorValue, kBackColorNormalHelp},
    {"BackColorSelected", PropertyGet, 0x6803000F, "OLE_COLOR", None(), kBackColorSelectedHelp},
    {"BackColorSelected", PropertyLet, 0x6803000F, "OLE_COLOR", kColorValue,
     kBackColorSelectedHelp},
    {"BoundColumn", PropertyGet, 0x6803000E, "Integer", None(), kBoundColumnHelp},
    {"BoundColumn", PropertyLet, 0x6803000E, "Integer", kIntegerByRef, kBoundColumnHelp},
    {"Clear", Method, 0x60030016, "", None(), ""},
    {"Column", PropertyGet, 0x6803000D, "Variant", kIntColumn, ""},
    {"ColumnCount", PropertyGet, 0x6803000C, "Integer", None(), kColumnCountHelp},
    {"ColumnCount", PropertyLet, 0x6803000C, "Integer", kIntegerByRef, kColumnCountHelp},
    {"ColumnLineForeColor", PropertyLet, 0x6803000B, "OLE_COLOR", kColorValue, ""},
    {"ColumnWidths", PropertyLet, 0x6803000A, "String", kStringByRef, kColumnWidthsHelp},
    {"ComboBoxIsOpen", PropertyGet, 0x68030009, "Boolean", None(), ""},
    {"Enabled", PropertyGet, 0x68030008, "Boolean", None(), kEnabledHelp},
    {"Enabled", PropertyLet, 0x68030008, "Boolean", kBooleanByRef, kEnabledHelp},
    {"FillComboBoxMultiColumn", Method, 0x6003001C, "", kFill, ""},
    {"FillComboBoxMultiColumnRecordset", Method, 0x6003001D, "", kRec, ""},
    {"ForeColorNormal", PropertyGet, 0x68030007, "OLE_COLOR", None(), kForeColorNormalHelp},
    {"ForeColorNormal", PropertyLet, 0x68030007, "OLE_COLOR", kColorValue, kForeColorNormalHelp},
    {"ForeColorSelected", PropertyGet, 0x68030006, "OLE_COLOR", None(), kForeColorSelectedHelp},
    {"ForeColorSelected", PropertyLet, 0x68030006, "OLE_COLOR", kColorValue,
     kForeColorSelectedHelp},
    {"ListCount", PropertyGet, 0x68030005, "Long", None(), kListCountHelp},
    {"ListIndex", PropertyGet, 0x68030004, "Long", None(), kListIndexHelp},
    {"ListIndex", PropertyLet, 0x68030004, "Long", kLongValue, kListIndexHelp},
    {"ListWidth", PropertyGet, 0x68030003, "Integer", None(), kListWidthHelp},
    {"ListWidth", PropertyLet, 0x68030003, "Integer", kIntegerByRef, kListWidthHelp},
    {"ListRows", PropertyGet, 0x68030002, "Integer", None(), kListRowsHelp},
    {"ListRows", PropertyLet, 0x68030002, "Integer", kIntegerByRef, kListRowsHelp},
    {"Locked", PropertyGet, 0x68030001, "Boolean", None(), kLockedHelp},
    {"Locked", PropertyLet, 0x68030001, "Boolean", kBooleanValue, kLockedHelp},
    {"RemoveItem", Method, 0x60030027, "", kLngIndex, kRemoveItemHelp},
    {"SelectAllTextInTextBox", Method, 0x6003002B, "", None(), ""},
    {"ShowDropDown", Method, 0x6003002C, "", None(), ""},
    {"Text", PropertyLet, 0x68030000, "String", kStringValue, ""},
    {"Text", PropertyGet, 0x68030000, "String", None(), ""},
    {"Value", PropertyGet, DISPID_VALUE, "Variant", None(), kValueHelp},
    {"Value", PropertyLet, DISPID_VALUE, "Variant", kVariantValue, kValueHelp},
};

constexpr Param kKeyArgs[] = {{"KeyCode", "Integer", ByRef}, {"Shift", "Integer", ByRef}};
constexpr Param kKeyAscii[] = {{"KeyAscii", "Integer", ByRef}};
constexpr Param kCancel[] = {{"Cancel", "Boolean", ByRef}};

const Event kEvents[] = {
    {"AfterUpdate", 1, None()}, {"KeyDown", 2, kKeyArgs}, {"KeyPress", 3, kKeyAscii},
    {"KeyUp", 4, kKeyArgs},     {"Change", 5, None()},    {"NotInList", 6, kCancel},
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
