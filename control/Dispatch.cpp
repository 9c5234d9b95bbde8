#include <memory>

#include "control/ColumnPick.h"
#include "control/PublicInterface.h"
#include "data/Database.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

namespace cp::iface {
namespace {

// The class's own signatures carry the argument passing of the table: a by-reference
// argument is a reference. These casts stop the build when the two drift apart.
[[maybe_unused]] constexpr auto kBoundColumnLet =
    static_cast<void (ColumnPick::*)(const std::int16_t&)>(&ColumnPick::BoundColumn);
[[maybe_unused]] constexpr auto kColumnCountLet =
    static_cast<void (ColumnPick::*)(const std::int16_t&)>(&ColumnPick::ColumnCount);
[[maybe_unused]] constexpr auto kListWidthLet =
    static_cast<void (ColumnPick::*)(const std::int16_t&)>(&ColumnPick::ListWidth);
[[maybe_unused]] constexpr auto kListRowsLet =
    static_cast<void (ColumnPick::*)(const std::int16_t&)>(&ColumnPick::ListRows);
[[maybe_unused]] constexpr auto kEnabledLet =
    static_cast<void (ColumnPick::*)(const bool&)>(&ColumnPick::Enabled);
[[maybe_unused]] constexpr auto kColumnWidthsLet =
    static_cast<void (ColumnPick::*)(const std::string&)>(&ColumnPick::ColumnWidths);
[[maybe_unused]] constexpr auto kRemoveItem =
    static_cast<void (ColumnPick::*)(const std::int32_t&)>(&ColumnPick::RemoveItem);
[[maybe_unused]] constexpr auto kColumnGet =
    static_cast<Variant (ColumnPick::*)(std::int16_t)>(&ColumnPick::Column);
[[maybe_unused]] constexpr auto kLockedLet =
    static_cast<void (ColumnPick::*)(bool)>(&ColumnPick::Locked);
[[maybe_unused]] constexpr auto kListIndexLet =
    static_cast<void (ColumnPick::*)(std::int32_t)>(&ColumnPick::ListIndex);

constexpr std::int32_t kArgumentNotOptional = 449;

const Variant& Arg(std::vector<Variant>& args, std::size_t i) {
    if (i >= args.size()) Raise(kArgumentNotOptional);
    return args[i];
}

std::string StringArg(std::vector<Variant>& args, std::size_t i) {
    return CStr(Arg(args, i));
}
std::int16_t IntegerArg(std::vector<Variant>& args, std::size_t i) {
    return CInt(Arg(args, i));
}
std::int32_t LongArg(std::vector<Variant>& args, std::size_t i) {
    return CLng(Arg(args, i));
}
bool BooleanArg(std::vector<Variant>& args, std::size_t i) {
    return CBool(Arg(args, i));
}

template <class T>
T& ObjectArg(std::vector<Variant>& args, std::size_t i) {
    const Variant& v = Arg(args, i);
    if (!v.IsObject() || !v.ObjectRef()) Raise(vberr::ObjectRequired);
    auto* object = dynamic_cast<T*>(v.ObjectRef().get());
    if (!object) Raise(vberr::TypeMismatch);
    return *object;
}

Variant Done() {
    return {};
}

Variant InvokeMethod(ColumnPick& c, std::int32_t dispid, std::vector<Variant>& args) {
    switch (dispid) {
        case DISPID_ABOUTBOX:
            return c.About(), Done();
        case 0x60030013:
            return c.AddItem(StringArg(args, 0)), Done();
        case 0x60030014:
            return c.AddList(StringArg(args, 0)), Done();
        case 0x60030016:
            return c.Clear(), Done();
        case 0x6003001C:
            return c.FillComboBoxMultiColumn(ObjectArg<Database>(args, 0), StringArg(args, 1)),
                   Done();
        case 0x6003001D:
            return c.FillComboBoxMultiColumnRecordset(Arg(args, 0)), Done();
        case 0x60030027:
            return c.RemoveItem(LongArg(args, 0)), Done();
        case 0x6003002B:
            return c.SelectAllTextInTextBox(), Done();
        case 0x6003002C:
            return c.ShowDropDown(), Done();
        default:
            Raise(vberr::NoSuchMember);
    }
}

Variant InvokeGet(ColumnPick& c, std::int32_t dispid, std::vector<Variant>& args) {
    switch (dispid) {
        case 0x68030012:
            return std::int32_t{c.Appearance()};
        case 0x68030011:
            return c.ArrayWithItems();
        case 0x68030010:
            return c.BackColorNormal();
        case 0x6803000F:
            return c.BackColorSelected();
        case 0x6803000E:
            return c.BoundColumn();
        case 0x6803000D:
            return c.Column(IntegerArg(args, 0));
        case 0x6803000C:
            return c.ColumnCount();
        case 0x6803000B:
        case 0x6803000A:
            Raise(vberr::WriteOnlyProperty);
        case 0x68030009:
            return c.ComboBoxIsOpen();
        case 0x68030008:
            return c.Enabled();
        case 0x68030007:
            return c.ForeColorNormal();
        case 0x68030006:
            return c.ForeColorSelected();
        case 0x68030005:
            return c.ListCount();
        case 0x68030004:
            return c.ListIndex();
        case 0x68030003:
            return c.ListWidth();
        case 0x68030002:
            return c.ListRows();
        case 0x68030001:
            return c.Locked();
        case 0x68030000:
            return c.Text();
        case DISPID_VALUE:
            return c.Value();
        default:
            Raise(vberr::NoSuchMember);
    }
}

Variant InvokeLet(ColumnPick& c, std::int32_t dispid, std::vector<Variant>& args) {
    switch (dispid) {
        case 0x68030012:
            return c.Appearance(typAppearance(LongArg(args, 0))), Done();
        case 0x68030010:
            return c.BackColorNormal(LongArg(args, 0)), Done();
        case 0x6803000F:
            return c.BackColorSelected(LongArg(args, 0)), Done();
        case 0x6803000E:
            return c.BoundColumn(IntegerArg(args, 0)), Done();
        case 0x6803000C:
            return c.ColumnCount(IntegerArg(args, 0)), Done();
        case 0x6803000B:
            return c.ColumnLineForeColor(LongArg(args, 0)), Done();
        case 0x6803000A:
            return c.ColumnWidths(StringArg(args, 0)), Done();
        case 0x68030008:
            return c.Enabled(BooleanArg(args, 0)), Done();
        case 0x68030007:
            return c.ForeColorNormal(LongArg(args, 0)), Done();
        case 0x68030006:
            return c.ForeColorSelected(LongArg(args, 0)), Done();
        case 0x68030004:
            return c.ListIndex(LongArg(args, 0)), Done();
        case 0x68030003:
            return c.ListWidth(IntegerArg(args, 0)), Done();
        case 0x68030002:
            return c.ListRows(IntegerArg(args, 0)), Done();
        case 0x68030001:
            return c.Locked(BooleanArg(args, 0)), Done();
        case 0x68030000:
            return c.Text(StringArg(args, 0)), Done();
        case DISPID_VALUE:
            return c.Value(Arg(args, 0)), Done();
        default:
            Raise(vberr::NoSuchMember);
    }
}

}  // namespace

Variant Invoke(ColumnPick& control, std::int32_t dispid, Kind kind, std::vector<Variant>& args) {
    switch (kind) {
        case Kind::Method:
            return InvokeMethod(control, dispid, args);
        case Kind::PropertyGet:
            return InvokeGet(control, dispid, args);
        case Kind::PropertyLet:
            return InvokeLet(control, dispid, args);
    }
    Raise(vberr::NoSuchMember);
}

}  // namespace cp::iface
