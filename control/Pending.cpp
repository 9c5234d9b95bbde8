// Not built yet: the control core.
#include "control/ColumnPick.h"

namespace cp {

ColumnPick::ColumnPick(const ControlSite& site)
    : UserControl(site.UserControl), txtTextBox(site.txtTextBox), lstListBox(site.lstListBox),
      linOuterTop(site.linOuterTop), linOuterLeft(site.linOuterLeft), linOuterRight(site.linOuterRight),
      linOuterBottom(site.linOuterBottom), linInnerTop(site.linInnerTop), linInnerLeft(site.linInnerLeft),
      linInnerRight(site.linInnerRight), linInnerBottom(site.linInnerBottom) {}
ColumnPick::~ColumnPick() = default;
void ColumnPick::AddItem(const std::string&) {}
void ColumnPick::AddList(const std::string&) {}
typAppearance ColumnPick::Appearance() const { return typAppearance(byteAppearance); }
void ColumnPick::Appearance(typAppearance) {}
Variant ColumnPick::ArrayWithItems() const { return {}; }
OLE_COLOR ColumnPick::BackColorNormal() const { return lngBackColorNormal; }
void ColumnPick::BackColorNormal(OLE_COLOR) {}
OLE_COLOR ColumnPick::BackColorSelected() const { return lngBackColorSelected; }
void ColumnPick::BackColorSelected(OLE_COLOR) {}
std::int16_t ColumnPick::BoundColumn() const { return intBoundColumn; }
void ColumnPick::BoundColumn(const std::int16_t&) {}
void ColumnPick::Clear() {}
Variant ColumnPick::Column(std::int16_t) { return Variant::Null(); }
std::int16_t ColumnPick::ColumnCount() const { return intColumnCount; }
void ColumnPick::ColumnCount(const std::int16_t&) {}
void ColumnPick::ColumnLineForeColor(OLE_COLOR) {}
void ColumnPick::ColumnWidths(const std::string&) {}
bool ColumnPick::ComboBoxIsOpen() const { return blnComboBoxIsOpen; }
bool ColumnPick::Enabled() const { return UserControl.Enabled(); }
void ColumnPick::Enabled(const bool&) {}
OLE_COLOR ColumnPick::ForeColorNormal() const { return lngForeColorNormal; }
void ColumnPick::ForeColorNormal(OLE_COLOR) {}
OLE_COLOR ColumnPick::ForeColorSelected() const { return lngForeColorSelected; }
void ColumnPick::ForeColorSelected(OLE_COLOR) {}
std::int32_t ColumnPick::ListCount() const { return lngListCount; }
std::int32_t ColumnPick::ListIndex() const { return lngListIndex; }
void ColumnPick::ListIndex(std::int32_t) {}
std::int16_t ColumnPick::ListWidth() const { return intListWidth; }
void ColumnPick::ListWidth(const std::int16_t&) {}
std::int16_t ColumnPick::ListRows() const { return intListRows; }
void ColumnPick::ListRows(const std::int16_t&) {}
bool ColumnPick::Locked() const { return blnLocked; }
void ColumnPick::Locked(bool) {}
void ColumnPick::RemoveItem(const std::int32_t&) {}
void ColumnPick::Text(const std::string&) {}
std::string ColumnPick::Text() const { return txtTextBox.Text(); }
Variant ColumnPick::Value() { return Variant::Null(); }
void ColumnPick::Value(const Variant&) {}
void ColumnPick::UserControl_Initialize() {}
void ColumnPick::UserControl_InitProperties() {}
void ColumnPick::UserControl_ReadProperties(PropertyBag&) {}
void ColumnPick::UserControl_WriteProperties(PropertyBag&) {}
void ColumnPick::UserControl_Terminate() {}
void ColumnPick::DetermineDesignMode() {}
void ColumnPick::SubclassControlOnce() {}
void ColumnPick::RaiseIfDesignMode() const {}
void ColumnPick::RemoveRow(std::int32_t) {}
std::int32_t ColumnPick::FindItemInArray(const std::string&) { return -1; }
void ColumnPick::RaiseAfterUpdate() {}
void ColumnPick::RaiseKeyDown(std::int16_t&, std::int16_t&) {}
void ColumnPick::RaiseKeyPress(std::int16_t&) {}
void ColumnPick::RaiseKeyUp(std::int16_t&, std::int16_t&) {}
void ColumnPick::RaiseChange() {}
void ColumnPick::RaiseNotInList(bool&) {}

}  // namespace cp
