#include "control/ColumnPick.h"
#include "runtime/Conversions.h"

namespace cp {
namespace {

// A Boolean default, given to the store as the Integer it has always been given.
std::int16_t StoredBoolean(bool value) {
    return value ? std::int16_t{-1} : std::int16_t{0};
}

// The persisted settings' defaults, which are their creation values, in the order in which both
// handlers process them. Each carries the stored type that the property store has always seen.
const Variant kBackColorNormalDefault = std::int32_t{kCreationSettings.lngBackColorNormal};
const Variant kForeColorNormalDefault = std::int32_t{kCreationSettings.lngForeColorNormal};
const Variant kBackColorSelectedDefault = std::int32_t{kCreationSettings.lngBackColorSelected};
const Variant kForeColorSelectedDefault = std::int32_t{kCreationSettings.lngForeColorSelected};
const Variant kListRowsDefault = std::int16_t{kCreationSettings.intListRows};
const Variant kEnabledDefault = StoredBoolean(kEnabledAtCreation);
const Variant kBoundColumnDefault = std::int16_t{kCreationSettings.intBoundColumn};
const Variant kColumnCountDefault = std::int16_t{kCreationSettings.intColumnCount};
const Variant kListWidthDefault = std::int16_t{kCreationSettings.intListWidth};
const Variant kAppearanceDefault = std::int16_t{kCreationSettings.byteAppearance};
const Variant kLockedDefault = StoredBoolean(kCreationSettings.blnLocked);
const Variant kTextDefault = std::string(kTextAtCreation);
const SearchSettings kSearchAtCreation{};
const Variant kMatchModeDefault = static_cast<std::int16_t>(kSearchAtCreation.rule.mode);
const Variant kSearchColumnsDefault = SearchColumnsText(kSearchAtCreation.rule.columns);
const Variant kFilterListDefault = StoredBoolean(kSearchAtCreation.blnFilterList);

// The stored search settings; a stored value that the property would refuse (written by hand,
// or for more columns than the stored count) leaves its setting at its creation value.
SearchSettings ReadSearchSettings(PropertyBag& PropBag, std::int16_t columnCount) {
    SearchSettings search;
    const std::int16_t mode = CInt(PropBag.ReadProperty("MatchMode", kMatchModeDefault));
    if (mode >= 0 && mode <= static_cast<std::int16_t>(kLastMatchMode))
        search.rule.mode = static_cast<MatchMode>(mode);
    const std::string columns = CStr(PropBag.ReadProperty("SearchColumns", kSearchColumnsDefault));
    if (auto parsed = ParseSearchColumns(columns, columnCount)) search.rule.columns = *parsed;
    search.blnFilterList = CBool(PropBag.ReadProperty("FilterList", kFilterListDefault));
    return search;
}
const Variant kColumnHeadsDefault = StoredBoolean(false);
const Variant kColumnCaptionsDefault = std::string();
const Variant kColumnAlignmentsDefault = std::string();

}  // namespace

void ColumnPick::UserControl_ReadProperties(PropertyBag& PropBag) {
    settings.lngBackColorNormal =
        CLng(PropBag.ReadProperty("BackColorNormal", kBackColorNormalDefault));
    txtTextBox.SetBackColor(settings.lngBackColorNormal);
    UserControl.SetBackColor(settings.lngBackColorNormal);
    lstListBox.SetBackColor(settings.lngBackColorNormal);
    settings.lngForeColorNormal =
        CLng(PropBag.ReadProperty("ForeColorNormal", kForeColorNormalDefault));
    txtTextBox.SetForeColor(settings.lngForeColorNormal);
    settings.lngBackColorSelected =
        CLng(PropBag.ReadProperty("BackColorSelected", kBackColorSelectedDefault));
    settings.lngForeColorSelected =
        CLng(PropBag.ReadProperty("ForeColorSelected", kForeColorSelectedDefault));
    settings.intListRows = CInt(PropBag.ReadProperty("ListRows", kListRowsDefault));
    UserControl.SetEnabled(CBool(PropBag.ReadProperty("Enabled", kEnabledDefault)));
    settings.intBoundColumn = CInt(PropBag.ReadProperty("BoundColumn", kBoundColumnDefault));
    settings.intColumnCount = CInt(PropBag.ReadProperty("ColumnCount", kColumnCountDefault));
    settings.intListWidth = CInt(PropBag.ReadProperty("ListWidth", kListWidthDefault));
    settings.byteAppearance = CByte(PropBag.ReadProperty("Appearance", kAppearanceDefault));
    settings.blnLocked = CBool(PropBag.ReadProperty("Locked", kLockedDefault));
    txtTextBox.SetLocked(settings.blnLocked);
    const std::string text = CStr(PropBag.ReadProperty("Text", kTextDefault));
    txtTextBox.SetText(text);
    // An empty stored text stands for nothing to commit; a stored text is committed (or
    // reported as not in the list) at the first focus loss.
    if (text.empty()) editing.blnTextChanged = false;
    search = ReadSearchSettings(PropBag, settings.intColumnCount);
    shown.ShowAll();
    ReadColumnHeads(PropBag);
    DetermineDesignMode();
    if (!hosting.blnDesignMode) SubclassControlOnce();
}

void ColumnPick::UserControl_WriteProperties(PropertyBag& PropBag) {
    // The normal colours come back from the edit field, which holds them as RGB values.
    PropBag.WriteProperty("BackColorNormal", txtTextBox.BackColor(), kBackColorNormalDefault);
    PropBag.WriteProperty("ForeColorNormal", txtTextBox.ForeColor(), kForeColorNormalDefault);
    PropBag.WriteProperty("BackColorSelected", settings.lngBackColorSelected,
                          kBackColorSelectedDefault);
    PropBag.WriteProperty("ForeColorSelected", settings.lngForeColorSelected,
                          kForeColorSelectedDefault);
    PropBag.WriteProperty("ListRows", settings.intListRows, kListRowsDefault);
    PropBag.WriteProperty("Enabled", UserControl.Enabled(), kEnabledDefault);
    PropBag.WriteProperty("BoundColumn", settings.intBoundColumn, kBoundColumnDefault);
    PropBag.WriteProperty("ColumnCount", settings.intColumnCount, kColumnCountDefault);
    PropBag.WriteProperty("ListWidth", settings.intListWidth, kListWidthDefault);
    PropBag.WriteProperty("Appearance", settings.byteAppearance, kAppearanceDefault);
    PropBag.WriteProperty("Locked", txtTextBox.Locked(), kLockedDefault);
    PropBag.WriteProperty("Text", txtTextBox.Text(), kTextDefault);
    PropBag.WriteProperty("MatchMode", static_cast<std::int16_t>(search.rule.mode),
                          kMatchModeDefault);
    PropBag.WriteProperty("SearchColumns", SearchColumnsText(search.rule.columns),
                          kSearchColumnsDefault);
    PropBag.WriteProperty("FilterList", search.blnFilterList, kFilterListDefault);
    PropBag.WriteProperty("ColumnHeads", columns.blnColumnHeads, kColumnHeadsDefault);
    PropBag.WriteProperty("ColumnCaptions", columns.strColumnCaptions, kColumnCaptionsDefault);
    PropBag.WriteProperty("ColumnAlignments", columns.strColumnAlignments,
                          kColumnAlignmentsDefault);
}

// The header's settings came after the others: a store without them loads as before. A stored
// alignment string that no longer parses leaves every column left-aligned rather than
// refusing the whole control.
void ColumnPick::ReadColumnHeads(PropertyBag& PropBag) {
    columns.blnColumnHeads = CBool(PropBag.ReadProperty("ColumnHeads", kColumnHeadsDefault));
    columns.strColumnCaptions =
        CStr(PropBag.ReadProperty("ColumnCaptions", kColumnCaptionsDefault));
    const std::string alignments =
        CStr(PropBag.ReadProperty("ColumnAlignments", kColumnAlignmentsDefault));
    if (!SetAlignments(alignments)) SetAlignments("");
}

}  // namespace cp
