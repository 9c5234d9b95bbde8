// The control's published surface as data: the members of `_ColumnPick` in their published
// order with their dispatch identifiers, kinds, argument passing and help strings, the events
// of `__ColumnPick`, the enumerations and the identities. The component's type library and
// dispatch layer are generated from these tables; Invoke reaches a member by its identifier.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "runtime/Variant.h"

namespace cp {

class ColumnPick;

namespace iface {

enum class Kind { Method, PropertyGet, PropertyLet };
enum class Passing { ByValue, ByRef };

struct Param {
    std::string_view name;
    std::string_view type;
    Passing passing;
};

// One operation of the interface: a method, or one half of a property.
struct Member {
    std::string_view name;
    Kind kind;
    std::int32_t dispid;
    std::string_view type;  // the property's type or the method's result ("" for none)
    std::span<const Param> params;
    std::string_view help;  // "" when the member has none
};

struct Event {
    std::string_view name;
    std::int32_t dispid;
    std::span<const Param> params;
};

struct EnumMember {
    std::string_view name;
    std::int32_t value;
};

struct Enumeration {
    std::string_view name;
    std::string_view guid;
    std::span<const EnumMember> members;
};

struct Identity {
    std::string_view typeLibrary;
    std::string_view typeLibraryHelp;
    std::string_view coclass;
    std::string_view defaultInterface;
    std::string_view eventInterface;
};

inline constexpr std::int32_t DISPID_VALUE = 0;
inline constexpr std::int32_t DISPID_ABOUTBOX = -552;

// The dispatch identifier of each member; the two halves of a property share theirs. Value and
// About carry the standard identifiers above.
namespace dispid {
inline constexpr std::int32_t AddItem = 0x60030013;
inline constexpr std::int32_t AddList = 0x60030014;
inline constexpr std::int32_t Appearance = 0x68030012;
inline constexpr std::int32_t ArrayWithItems = 0x68030011;
inline constexpr std::int32_t BackColorNormal = 0x68030010;
inline constexpr std::int32_t BackColorSelected = 0x6803000F;
inline constexpr std::int32_t BoundColumn = 0x6803000E;
inline constexpr std::int32_t Clear = 0x60030016;
inline constexpr std::int32_t Column = 0x6803000D;
inline constexpr std::int32_t ColumnCount = 0x6803000C;
inline constexpr std::int32_t ColumnLineForeColor = 0x6803000B;
inline constexpr std::int32_t ColumnWidths = 0x6803000A;
inline constexpr std::int32_t ComboBoxIsOpen = 0x68030009;
inline constexpr std::int32_t Enabled = 0x68030008;
inline constexpr std::int32_t FillComboBoxMultiColumn = 0x6003001C;
inline constexpr std::int32_t FillComboBoxMultiColumnRecordset = 0x6003001D;
inline constexpr std::int32_t ForeColorNormal = 0x68030007;
inline constexpr std::int32_t ForeColorSelected = 0x68030006;
inline constexpr std::int32_t ListCount = 0x68030005;
inline constexpr std::int32_t ListIndex = 0x68030004;
inline constexpr std::int32_t ListRows = 0x68030002;
inline constexpr std::int32_t ListWidth = 0x68030003;
inline constexpr std::int32_t Locked = 0x68030001;
inline constexpr std::int32_t RemoveItem = 0x60030027;
inline constexpr std::int32_t SelectAllTextInTextBox = 0x6003002B;
inline constexpr std::int32_t ShowDropDown = 0x6003002C;
inline constexpr std::int32_t Text = 0x68030000;
inline constexpr std::int32_t MatchMode = 0x68030013;
inline constexpr std::int32_t SearchColumns = 0x68030014;
inline constexpr std::int32_t FilterList = 0x68030015;
// Added at the interface's end.
inline constexpr std::int32_t ColumnHeads = 0x68030016;
inline constexpr std::int32_t ColumnCaptions = 0x68030017;
inline constexpr std::int32_t ColumnAlignments = 0x68030018;
inline constexpr std::int32_t FitColumnWidths = 0x60030030;
inline constexpr std::int32_t ConnectComboBoxMultiColumn = 0x60030031;
}  // namespace dispid

std::span<const Member> Members();
std::span<const Event> Events();
std::span<const Enumeration> Enumerations();
const Identity& Ids();
// The default member (Value) and the default event (AfterUpdate).
std::string_view DefaultMember();
std::string_view DefaultEvent();

// Calls a member of the control by its dispatch identifier, as a late-bound host does.
// Arguments convert as the runtime converts them; by-reference arguments are passed on by
// reference. An identifier or kind the interface lacks is error 438; reading a write-only
// property is error 394.
Variant Invoke(ColumnPick& control, std::int32_t dispid, Kind kind, std::vector<Variant>& args);

}  // namespace iface
}  // namespace cp
