// One ColumnPick of the sample form with its labels: a caption to its left, and to its right
// the control's Value and its last events. The panel is the host's handler of the control's
// events: each one is logged and shown, and a text that matches no row sends the user back to
// the list (NotInList with Cancel = True).
#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "control/ColumnPick.h"
#include "data/Database.h"
#include "platform/win32/Form.h"
#include "platform/win32/PropertyStore.h"
#include "sample/EventLog.h"

namespace cp::sample {

struct PanelSetup {
    std::string name;             // the panel's name in the log
    std::string caption;          // the label left of the control
    const char* items;            // the rows, as an item string
    const char* serverQuery;      // the same rows from the sample's database server; null: none
    std::int16_t columnCount;     // fields a row
    std::string columnWidths;     // twips; a width of 0 hides its column
    std::int16_t boundColumn;     // the column whose entry is Value
    std::int16_t listWidth;       // twips
    int top;                      // pixels of the form's client area
    std::string captions = {};    // the header's captions; empty: no header
    std::string alignments = {};  // the columns' alignments
    // Non-null: the list stays on the server (server mode), its rows keyed by this field.
    const char* serverKey = nullptr;
};

class PickPanel final : public ColumnPickEvents {
public:
    // server, when there is one, fills the control by its query instead of the item string.
    PickPanel(win32::Form& form, const PanelSetup& setup, Database* server, EventLog& log);
    PickPanel(const PickPanel&) = delete;
    PickPanel& operator=(const PickPanel&) = delete;

    ColumnPick& Control() { return *control_; }
    win32::ControlHost& Host() { return *host_; }
    HWND Edit() { return host_->TextBox().hWnd(); }
    const std::string& Name() const { return name_; }

    void AfterUpdate() override;
    void KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) override;
    void KeyPress(std::int16_t& KeyAscii) override;
    void KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) override;
    void Change() override;
    void NotInList(bool& Cancel) override;

private:
    // Logs an event; `shown` events also go to the panel's label.
    void Note(const std::string& event, bool shown = true);
    void ShowValue();
    std::string ValueText();

    std::string name_;                    // the panel's name in the log
    EventLog& log_;                       // where every event goes
    win32::PropertyStore store_;          // the control's (empty) property store
    win32::ControlHost* host_ = nullptr;  // the control's host on the form
    ColumnPick* control_ = nullptr;       // the control
    HWND valueLabel_ = nullptr;           // "Value: ..."
    HWND eventsLabel_ = nullptr;          // the last events, newest first
    std::deque<std::string> recent_;      // what the events label shows
};

}  // namespace cp::sample
