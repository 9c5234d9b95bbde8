#include "control/ColumnPick.h"
#include "runtime/Conversions.h"

namespace cp {
namespace {

// The persisted settings with their defaults, in the order in which both handlers process
// them. The defaults carry the stored types the property store has always seen.
const Variant kBackColorNormalDefault = std::int32_t{0xFFFFFF};
const Variant kForeColorNormalDefault = std::int32_t{0};
const Variant kBackColorSelectedDefault = std::int32_t{0x800000};
const Variant kForeColorSelectedDefault = std::int32_t{0xFFFFFF};
const Variant kListRowsDefault = std::int16_t{8};
const Variant kEnabledDefault = std::int16_t{-1};
const Variant kBoundColumnDefault = std::int16_t{0};
const Variant kColumnCountDefault = std::int16_t{1};
const Variant kListWidthDefault = std::int16_t{-1};
const Variant kAppearanceDefault = std::int16_t{2};
const Variant kLockedDefault = std::int16_t{0};
const Variant kTextDefault = std::string();

}  // namespace

void ColumnPick::UserControl_ReadProperties(PropertyBag& PropBag) {
    lngBackColorNormal = CLng(PropBag.ReadProperty("BackColorNormal", kBackColorNormalDefault));
    txtTextBox.SetBackColor(lngBackColorNormal);
    UserControl.SetBackColor(lngBackColorNormal);
    lstListBox.SetBackColor(lngBackColorNormal);
    lngForeColorNormal = CLng(PropBag.ReadProperty("ForeColorNormal", kForeColorNormalDefault));
    txtTextBox.SetForeColor(lngForeColorNormal);
    lngBackColorSelected =
        CLng(PropBag.ReadProperty("BackColorSelected", kBackColorSelectedDefault));
    lngForeColorSelected =
        CLng(PropBag.ReadProperty("ForeColorSelected", kForeColorSelectedDefault));
    intListRows = CInt(PropBag.ReadProperty("ListRows", kListRowsDefault));
    UserControl.SetEnabled(CBool(PropBag.ReadProperty("Enabled", kEnabledDefault)));
    intBoundColumn = CInt(PropBag.ReadProperty("BoundColumn", kBoundColumnDefault));
    intColumnCount = CInt(PropBag.ReadProperty("ColumnCount", kColumnCountDefault));
    intListWidth = CInt(PropBag.ReadProperty("ListWidth", kListWidthDefault));
    byteAppearance = CByte(PropBag.ReadProperty("Appearance", kAppearanceDefault));
    blnLocked = CBool(PropBag.ReadProperty("Locked", kLockedDefault));
    txtTextBox.SetLocked(blnLocked);
    const std::string text = CStr(PropBag.ReadProperty("Text", kTextDefault));
    txtTextBox.SetText(text);
    // An empty stored text stands for nothing to commit; a stored text is committed (or
    // reported as not in the list) at the first focus loss.
    if (text.empty()) blnTextChanged = false;
    DetermineDesignMode();
    if (!blnDesignMode) SubclassControlOnce();
}

void ColumnPick::UserControl_WriteProperties(PropertyBag& PropBag) {
    // The normal colours come back from the edit field, which holds them as RGB values.
    PropBag.WriteProperty("BackColorNormal", txtTextBox.BackColor(), kBackColorNormalDefault);
    PropBag.WriteProperty("ForeColorNormal", txtTextBox.ForeColor(), kForeColorNormalDefault);
    PropBag.WriteProperty("BackColorSelected", lngBackColorSelected, kBackColorSelectedDefault);
    PropBag.WriteProperty("ForeColorSelected", lngForeColorSelected, kForeColorSelectedDefault);
    PropBag.WriteProperty("ListRows", intListRows, kListRowsDefault);
    PropBag.WriteProperty("Enabled", UserControl.Enabled(), kEnabledDefault);
    PropBag.WriteProperty("BoundColumn", intBoundColumn, kBoundColumnDefault);
    PropBag.WriteProperty("ColumnCount", intColumnCount, kColumnCountDefault);
    PropBag.WriteProperty("ListWidth", intListWidth, kListWidthDefault);
    PropBag.WriteProperty("Appearance", byteAppearance, kAppearanceDefault);
    PropBag.WriteProperty("Locked", txtTextBox.Locked(), kLockedDefault);
    PropBag.WriteProperty("Text", txtTextBox.Text(), kTextDefault);
}

}  // namespace cp
