#include <algorithm>
#include <limits>

#include "control/ColumnPick.h"
#include "control/ErrorReport.h"
#include "control/FlagGuard.h"
#include "control/ItemString.h"
#include "control/ListWindowRows.h"
#include "control/Messages.h"
#include "control/Reports.h"

namespace cp {
namespace {

// The usage checks that AddItem and AddList share; false when a message was shown.
bool ItemStringAccepted(const std::string& strItem, const std::vector<std::int32_t>& widths) {
    if (strItem.empty()) {
        UsageMessage(messages::kEmptyItemString);
        return false;
    }
    if (widths.at(0) == 0) {
        UsageMessage(messages::kWidthsFirst);
        return false;
    }
    return true;
}

std::int32_t CheckedFieldCount(std::string_view text) {
    const std::size_t n = CountFields(text);
    if (n > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        Raise(vberr::Overflow);
    }
    return static_cast<std::int32_t>(n);
}

}  // namespace

void ColumnPick::AddItem(const std::string& strItem) {
    TrappedSub("AddItem", [&] {
        if (!ItemStringAccepted(strItem, lngColumnWidths)) return;
        // A table that already ends at the last counted row of this column count takes the
        // row in one pass over the text; any other is checked and shaped first.
        if (!TableEndsAtListCount() && !PrepareTableForRow(strItem)) return;
        if (!varItems.TryAppendLast([&](auto emplace) { ForEachField(strItem, emplace); })) {
            UsageMessage(messages::ColumnItems(intColumnCount));
            return;
        }
        ++lngListCount;
        SendMessage(lstListBox.hWnd(), LB_SETCOUNT, static_cast<WPARAM>(lngListCount), 0);
    });
}

bool ColumnPick::TableEndsAtListCount() const {
    return varItems.Dimensions() == 2 && varItems.Extent(0) == intColumnCount &&
           varItems.Extent(1) == lngListCount;
}

bool ColumnPick::PrepareTableForRow(const std::string& strItem) {
    if (CountFields(strItem) != static_cast<std::size_t>(intColumnCount)) {
        UsageMessage(messages::ColumnItems(intColumnCount));
        return false;
    }
    // The table keeps its rows and grows by one; it cannot change its column count.
    if (!varItems.Allocated()) {
        varItems = VariantArray({intColumnCount, 0});
    } else if (varItems.Extent(0) != intColumnCount) {
        Raise(vberr::SubscriptOutOfRange);
    }
    varItems.ResizeLast(lngListCount);
    return true;
}

void ColumnPick::AddList(const std::string& strItem) {
    TrappedSub("AddList", [&] {
        if (!ItemStringAccepted(strItem, lngColumnWidths)) return;
        const std::int32_t columns = intColumnCount;
        // Rows are whole groups of columns; a stored column count below 1 makes no table.
        if (columns == 0) Raise(vberr::DivisionByZero);
        const std::int32_t rows = CheckedFieldCount(strItem) / columns;
        if (rows < 0) Raise(vberr::SubscriptOutOfRange);
        if (rows == 0) {
            // No whole row: the list must not go on counting rows that are gone.
            lngListCount = 0;
            lstListBox.Clear();
            SendMessage(lstListBox.hWnd(), LB_SETCOUNT, 0, 0);
            lngHotRow = -1;
            lngCommittedIndex = -1;
            Raise(vberr::SubscriptOutOfRange);
        }
        // Fields beyond the last whole row are dropped.
        const std::size_t used = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
        std::vector<Variant> entries;
        entries.reserve(used);
        ForEachField(strItem, [&](std::string_view field) {
            if (entries.size() < used) entries.emplace_back(field);
        });
        varItems = VariantArray({columns, rows}, std::move(entries));
        lngListCount = rows;
        // The marks of the old rows go with them, before a failing list window call can leave
        // them pointing into the new ones.
        lngHotRow = -1;
        lngCommittedIndex = -1;
        lstListBox.Clear();
        SendMessage(lstListBox.hWnd(), LB_SETCOUNT, static_cast<WPARAM>(lngListCount), 0);
    });
}

void ColumnPick::Clear() {
    lstListBox.Clear();
    lngListCount = 0;
    varItems = VariantArray({intColumnCount, 1});
    lngHotRow = -1;
    lngCommittedIndex = -1;
    lngListIndex = -1;
}

void ColumnPick::RemoveItem(const std::int32_t& lngIndex) {
    if (lngIndex >= 0 && lngListCount >= 1) RemoveRow(lngIndex);
}

void ColumnPick::RemoveRow(std::int32_t lngIndex) {
    ListWindowRowsInStep(lstListBox, lngListCount);
    if (lngIndex == lngListCount - 1) {
        lstListBox.RemoveItem(lngIndex);
        // Removing the only row leaves the allocated table as it is.
        if (lngListCount != 1) varItems.ResizeLast(lngListCount - 1);
        --lngListCount;
    } else if (lngIndex <= lngListCount - 2) {
        auto& entries = varItems.Elements();
        const std::size_t columns = static_cast<std::size_t>(varItems.Extent(0));
        std::move(entries.begin() + static_cast<std::ptrdiff_t>((lngIndex + 1) * columns),
                  entries.begin() + static_cast<std::ptrdiff_t>(lngListCount * columns),
                  entries.begin() + static_cast<std::ptrdiff_t>(lngIndex * columns));
        lstListBox.RemoveItem(lngIndex);
        varItems.ResizeLast(lngListCount - 1);
        --lngListCount;
    }
    if (lngIndex == lngCommittedIndex) {
        // The committed row is gone, and so is the text that stood for it. The write is the
        // control's own: a matching pass would complete the empty text to the first row and
        // show an item that nobody chose.
        {
            FlagGuard ignoreClick(blnIgnoreListClick);
            lstListBox.SetListIndex(-1);
        }
        lngListIndex = -1;
        lngCommittedIndex = -1;
        FlagGuard internal(blnInternalTextChange);
        txtTextBox.SetText("");
    } else if (lngIndex < lngCommittedIndex) {
        // Keep showing the same item: the list reports the move and commits it again.
        --lngCommittedIndex;
        lstListBox.SetListIndex(lngCommittedIndex);
        lngListIndex = lngCommittedIndex;
        --lngHotRow;
    }
}

std::int32_t ColumnPick::ListCount() const {
    return lngListCount;
}

Variant ColumnPick::ArrayWithItems() const {
    return Variant(std::make_shared<VariantArray>(varItems));
}

std::int16_t ColumnPick::ColumnCount() const {
    return intColumnCount;
}

void ColumnPick::ColumnCount(const std::int16_t& value) {
    if (value < 1) {
        PropertyValueReport(messages::kColumnCountError, messages::kColumnCountMinimum);
        return;
    }
    intColumnCount = value;
    UserControl.PropertyChanged("ColumnCount");
}

}  // namespace cp
