#include <memory>

#include "control/ColumnPick.h"
#include "control/PublicInterface.h"
#include "data/Database.h"
#include "data/HostObjects.h"
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

const Variant& Arg(std::vector<Variant>& args, std::size_t i) {
    if (i >= args.size()) Raise(vberr::ArgumentNotOptional);
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

std::shared_ptr<Database> DatabaseArg(std::vector<Variant>& args, std::size_t i) {
    return DatabaseOf(Arg(args, i));
}

Variant Done() {
    return {};
}

Variant InvokeMethod(ColumnPick& c, std::int32_t dispid, std::vector<Variant>& args) {
    switch (dispid) {
        case DISPID_ABOUTBOX:
            return c.About(), Done();
        case dispid::AddItem:
            return c.AddItem(StringArg(args, 0)), Done();
        case dispid::AddList:
            return c.AddList(StringArg(args, 0)), Done();
        case dispid::Clear:
            return c.Clear(), Done();
        case dispid::FillComboBoxMultiColumn:
            return c.FillComboBoxMultiColumn(*DatabaseArg(args, 0), StringArg(args, 1)), Done();
        case dispid::FillComboBoxMultiColumnRecordset:
            return c.FillComboBoxMultiColumnRecordset(Arg(args, 0)), Done();
        case dispid::RemoveItem:
            return c.RemoveItem(LongArg(args, 0)), Done();
        case dispid::SelectAllTextInTextBox:
            return c.SelectAllTextInTextBox(), Done();
        case dispid::ShowDropDown:
            return c.ShowDropDown(), Done();
        case dispid::FitColumnWidths:
            return c.FitColumnWidths();
        case dispid::ConnectComboBoxMultiColumn:
            return c.ConnectComboBoxMultiColumn(*DatabaseArg(args, 0), StringArg(args, 1),
                                                StringArg(args, 2)),
                   Done();
        default:
            Raise(vberr::NoSuchMember);
    }
}

Variant InvokeGet(ColumnPick& c, std::int32_t dispid, std::vector<Variant>& args) {
    switch (dispid) {
        case dispid::Appearance:
            return std::int32_t{c.Appearance()};
        case dispid::ArrayWithItems:
            return c.ArrayWithItems();
        case dispid::BackColorNormal:
            return c.BackColorNormal();
        case dispid::BackColorSelected:
            return c.BackColorSelected();
        case dispid::BoundColumn:
            return c.BoundColumn();
        case dispid::Column:
            return c.Column(IntegerArg(args, 0));
        case dispid::ColumnCount:
            return c.ColumnCount();
        case dispid::ColumnLineForeColor:
        case dispid::ColumnWidths:
            Raise(vberr::WriteOnlyProperty);
        case dispid::ComboBoxIsOpen:
            return c.ComboBoxIsOpen();
        case dispid::Enabled:
            return c.Enabled();
        case dispid::ForeColorNormal:
            return c.ForeColorNormal();
        case dispid::ForeColorSelected:
            return c.ForeColorSelected();
        case dispid::ListCount:
            return c.ListCount();
        case dispid::ListIndex:
            return c.ListIndex();
        case dispid::ListWidth:
            return c.ListWidth();
        case dispid::ListRows:
            return c.ListRows();
        case dispid::Locked:
            return c.Locked();
        case dispid::Text:
            return c.Text();
        case DISPID_VALUE:
            return c.Value();
        case dispid::MatchMode:
            return c.MatchMode();
        case dispid::SearchColumns:
            return c.SearchColumns();
        case dispid::FilterList:
            return c.FilterList();
        case dispid::ColumnHeads:
            return c.ColumnHeads();
        case dispid::ColumnCaptions:
            return c.ColumnCaptions();
        case dispid::ColumnAlignments:
            return c.ColumnAlignments();
        default:
            Raise(vberr::NoSuchMember);
    }
}

Variant InvokeLet(ColumnPick& c, std::int32_t dispid, std::vector<Variant>& args) {
    switch (dispid) {
        case dispid::Appearance:
            return c.Appearance(typAppearance(LongArg(args, 0))), Done();
        case dispid::BackColorNormal:
            return c.BackColorNormal(LongArg(args, 0)), Done();
        case dispid::BackColorSelected:
            return c.BackColorSelected(LongArg(args, 0)), Done();
        case dispid::BoundColumn:
            return c.BoundColumn(IntegerArg(args, 0)), Done();
        case dispid::ColumnCount:
            return c.ColumnCount(IntegerArg(args, 0)), Done();
        case dispid::ColumnLineForeColor:
            return c.ColumnLineForeColor(LongArg(args, 0)), Done();
        case dispid::ColumnWidths:
            return c.ColumnWidths(StringArg(args, 0)), Done();
        case dispid::Enabled:
            return c.Enabled(BooleanArg(args, 0)), Done();
        case dispid::ForeColorNormal:
            return c.ForeColorNormal(LongArg(args, 0)), Done();
        case dispid::ForeColorSelected:
            return c.ForeColorSelected(LongArg(args, 0)), Done();
        case dispid::ListIndex:
            return c.ListIndex(LongArg(args, 0)), Done();
        case dispid::ListWidth:
            return c.ListWidth(IntegerArg(args, 0)), Done();
        case dispid::ListRows:
            return c.ListRows(IntegerArg(args, 0)), Done();
        case dispid::Locked:
            return c.Locked(BooleanArg(args, 0)), Done();
        case dispid::Text:
            return c.Text(StringArg(args, 0)), Done();
        case DISPID_VALUE:
            return c.Value(Arg(args, 0)), Done();
        case dispid::MatchMode:
            return c.MatchMode(IntegerArg(args, 0)), Done();
        case dispid::SearchColumns:
            return c.SearchColumns(StringArg(args, 0)), Done();
        case dispid::FilterList:
            return c.FilterList(BooleanArg(args, 0)), Done();
        case dispid::ColumnHeads:
            return c.ColumnHeads(BooleanArg(args, 0)), Done();
        case dispid::ColumnCaptions:
            return c.ColumnCaptions(StringArg(args, 0)), Done();
        case dispid::ColumnAlignments:
            return c.ColumnAlignments(StringArg(args, 0)), Done();
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
