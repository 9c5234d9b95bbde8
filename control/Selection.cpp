#include "control/ColumnPick.h"
#include "control/ErrorReport.h"
#include "control/FlagGuard.h"
#include "control/ListWindowRows.h"
#include "control/Messages.h"
#include "control/Reports.h"
#include "control/TextMatch.h"

namespace cp {

std::int32_t ColumnPick::ListIndex() const {
    RaiseIfDesignMode();
    return lngListIndex;
}

void ColumnPick::ListIndex(std::int32_t value) {
    RaiseIfDesignMode();
    // The list reports the change at once; unless the control raised blnIgnoreListClick, its
    // click handling commits the row as a user's click would.
    ListWindowRowsInStep(lstListBox, lngListCount);
    lstListBox.SetListIndex(value);
    lngListIndex = value;
}

Variant ColumnPick::Column(std::int16_t intColumn) {
    Variant result;
    Trapped("ColumnPick - Column", "Unable to execute the property Column!", [&] {
        try {
            if (intColumn <= varItems.Extent(0) - 1 && lngListIndex != -1) {
                result = varItems.At(intColumn, lngListIndex);
            } else {
                result = Variant::Null();
            }
        } catch (const RuntimeError& e) {
            // No table, a negative column or a row beyond the table: there is no entry.
            if (e.Number() != vberr::SubscriptOutOfRange) throw;
            result = Variant::Null();
        }
    });
    return result;
}

Variant ColumnPick::Value() {
    RaiseIfDesignMode();
    return Column(intBoundColumn);
}

void ColumnPick::Value(const Variant& value) {
    RaiseIfDesignMode();
    if (value.IsNull()) {
        {
            FlagGuard ignoreClick(blnIgnoreListClick);
            ListIndex(-1);
        }
        FlagGuard internal(blnInternalTextChange);
        txtTextBox.SetText(DisplayText(Column(0)));
    } else {
        std::int32_t row = 0;
        while (row < lngListCount && !VariantEquals(varItems.At(intBoundColumn, row), value)) {
            ++row;
        }
        if (row == lngListCount) return;
        // The list's click handling lowers the flag when the change reaches it.
        blnIgnoreListClick = true;
        ListIndex(row);
        FlagGuard internal(blnInternalTextChange);
        bool Cancel = false;
        UpdateTextFromRow(Cancel);
    }
    blnListMouseDown = false;
    lngCommittedIndex = lstListBox.ListIndex();
    blnTextChanged = false;
    blnUserEdited = false;
}

std::int16_t ColumnPick::BoundColumn() const {
    return intBoundColumn;
}

void ColumnPick::BoundColumn(const std::int16_t& value) {
    if (value < 0) {
        PropertyValueReport(messages::kBoundColumnError, messages::kMinimumZero);
        return;
    }
    intBoundColumn = value;
    UserControl.PropertyChanged("BoundColumn");
}

void ColumnPick::Text(const std::string& value) {
    // Not an internal change: the matching pass runs as it does for typing.
    txtTextBox.SetText(value);
    UserControl.PropertyChanged("Text");
}

std::string ColumnPick::Text() const {
    return txtTextBox.Text();
}

bool ColumnPick::ComboBoxIsOpen() const {
    return blnComboBoxIsOpen;
}

std::int32_t ColumnPick::FindItemInArray(const std::string& strText) {
    std::int32_t result = -1;
    Trapped("ColumnPick - FindItemInArray", "Unable to execute the function FindItemInArray!", [&] {
        const PrefixMatcher matcher(strText);
        for (std::int32_t r = 0; r < lngListCount; ++r) {
            if (matcher.Matches(varItems.At(0, r))) {
                result = r;
                return;
            }
        }
    });
    return result;
}

}  // namespace cp
