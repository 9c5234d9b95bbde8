#include "control/ColumnPick.h"
#include "editing/EditingCodes.h"

namespace cp {

void ColumnPick::SelectAllTextInTextBox() {
    SendMessage(txtTextBox.hWnd(), EM_SETSEL, 0, kEndOfText);
}

void ColumnPick::SelectTextToEnd(std::int16_t intStart) {
    SendMessage(txtTextBox.hWnd(), EM_SETSEL, static_cast<WPARAM>(intStart), kEndOfText);
}

void ColumnPick::txtTextBox_DblClick() {
    // The whole text, not the word the field picked: a double click takes the row's text.
    SelectAllTextInTextBox();
}

}  // namespace cp
