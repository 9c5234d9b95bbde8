#include "control/ColumnPick.h"
#include "platform/OleColor.h"
#include "reports/Messages.h"
#include "reports/Reports.h"
#include "runtime/Conversions.h"

namespace cp {
namespace {

constexpr std::int16_t kMinListRows = 2;
constexpr std::int16_t kMaxListRows = 15;

}  // namespace

typAppearance ColumnPick::Appearance() const {
    return static_cast<typAppearance>(settings.byteAppearance);
}

void ColumnPick::Appearance(typAppearance value) {
    settings.byteAppearance = CByte(static_cast<double>(value));
    UserControl_Resize();
    UserControl.PropertyChanged("Appearance");
}

OLE_COLOR ColumnPick::BackColorNormal() const {
    return settings.lngBackColorNormal;
}

void ColumnPick::BackColorNormal(OLE_COLOR value) {
    settings.lngBackColorNormal = value;
    const auto rgb = static_cast<OLE_COLOR>(TranslateColor(value));
    txtTextBox.SetBackColor(rgb);
    UserControl.SetBackColor(rgb);
    lstListBox.SetBackColor(rgb);
    UserControl_Paint();
    UserControl.PropertyChanged("BackColorNormal");
}

OLE_COLOR ColumnPick::BackColorSelected() const {
    return settings.lngBackColorSelected;
}

void ColumnPick::BackColorSelected(OLE_COLOR value) {
    settings.lngBackColorSelected = value;
    UserControl.PropertyChanged("BackColorSelected");
}

OLE_COLOR ColumnPick::ForeColorNormal() const {
    return settings.lngForeColorNormal;
}

void ColumnPick::ForeColorNormal(OLE_COLOR value) {
    settings.lngForeColorNormal = value;
    txtTextBox.SetForeColor(static_cast<OLE_COLOR>(TranslateColor(value)));
    UserControl.PropertyChanged("ForeColorNormal");
}

OLE_COLOR ColumnPick::ForeColorSelected() const {
    return settings.lngForeColorSelected;
}

void ColumnPick::ForeColorSelected(OLE_COLOR value) {
    settings.lngForeColorSelected = value;
    UserControl.PropertyChanged("ForeColorSelected");
}

void ColumnPick::ColumnLineForeColor(OLE_COLOR value) {
    settings.lngColumnLineForeColor = value;
}

bool ColumnPick::Enabled() const {
    return UserControl.Enabled();
}

void ColumnPick::Enabled(const bool& value) {
    UserControl.SetEnabled(value);
    txtTextBox.SetEnabled(value);
    // The glyph turns grey or back.
    DrawArrow(CurrentFace());
    UserControl.PropertyChanged("Enabled");
}

bool ColumnPick::Locked() const {
    return settings.blnLocked;
}

void ColumnPick::Locked(bool value) {
    if (dropDown.blnComboBoxIsOpen) return;
    settings.blnLocked = value;
    txtTextBox.SetLocked(value);
    UserControl.PropertyChanged("Locked");
}

std::int16_t ColumnPick::ColumnCount() const {
    return settings.intColumnCount;
}

void ColumnPick::ColumnCount(const std::int16_t& value) {
    if (value < 1) {
        PropertyValueReport(messages::kColumnCountError, messages::kColumnCountMinimum);
        return;
    }
    settings.intColumnCount = value;
    UserControl.PropertyChanged("ColumnCount");
}

std::int16_t ColumnPick::ListRows() const {
    return settings.intListRows;
}

void ColumnPick::ListRows(const std::int16_t& value) {
    if (value < kMinListRows || value > kMaxListRows) {
        PropertyValueReport(messages::kListRowsError, messages::kListRowsRange);
        return;
    }
    settings.intListRows = value;
    UserControl.PropertyChanged("ListRows");
}

std::int16_t ColumnPick::ListWidth() const {
    return settings.intListWidth;
}

void ColumnPick::ListWidth(const std::int16_t& value) {
    if (value != -1 && value < kMinimumWidth) {
        PropertyValueReport(messages::kListWidthError, messages::kListWidthMinimum);
        return;
    }
    settings.intListWidth = value;
    UserControl.PropertyChanged("ListWidth");
}

}  // namespace cp
