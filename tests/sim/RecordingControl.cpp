#include "tests/sim/RecordingControl.h"

namespace cp::sim::test {

void RecordingControl::UserControl_Initialize() {
    log_.push_back("Initialize");
    if (onInitialize) onInitialize();
}

void RecordingControl::UserControl_ReadProperties(cp::PropertyBag& bag) {
    log_.push_back("ReadProperties(" + CStr(bag.ReadProperty("Text", "")) + ")");
}

void RecordingControl::UserControl_Paint() {
    log_.push_back("Paint");
    if (onPaint) onPaint();
}

void RecordingControl::txtTextBox_Change() {
    log_.push_back("Change(" + site.txtTextBox.Text() + ")");
}

void RecordingControl::txtTextBox_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) {
    log_.push_back("KeyDown(" + std::to_string(KeyCode) + "," + std::to_string(Shift) + ")");
    if (onKeyDown) onKeyDown(KeyCode);
}

void RecordingControl::txtTextBox_KeyPress(std::int16_t& KeyAscii) {
    log_.push_back("KeyPress(" + std::to_string(KeyAscii) + ")");
    if (onKeyPress) onKeyPress(KeyAscii);
}

void RecordingControl::txtTextBox_KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) {
    log_.push_back("KeyUp(" + std::to_string(KeyCode) + "," + std::to_string(Shift) + ")");
}

void RecordingControl::lstListBox_Click() {
    log_.push_back("Click(" + std::to_string(site.lstListBox.ListIndex()) + ")");
}

void RecordingControl::Mouse(const char* name, std::int16_t b, std::int16_t s, float x, float y) {
    log_.push_back(std::string(name) + "(" + std::to_string(b) + "," + std::to_string(s) + "," +
                   std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y)) +
                   ")");
}

void RecordingControl::UserControl_MouseDown(std::int16_t b, std::int16_t s, float x, float y) {
    Mouse("MouseDown", b, s, x, y);
}
void RecordingControl::UserControl_MouseMove(std::int16_t b, std::int16_t s, float x, float y) {
    Mouse("MouseMove", b, s, x, y);
}
void RecordingControl::UserControl_MouseUp(std::int16_t b, std::int16_t s, float x, float y) {
    Mouse("MouseUp", b, s, x, y);
}
void RecordingControl::lstListBox_MouseDown(std::int16_t b, std::int16_t s, float x, float y) {
    Mouse("ListMouseDown", b, s, x, y);
}
void RecordingControl::lstListBox_MouseMove(std::int16_t b, std::int16_t s, float x, float y) {
    Mouse("ListMouseMove", b, s, x, y);
}
void RecordingControl::lstListBox_MouseUp(std::int16_t b, std::int16_t s, float x, float y) {
    Mouse("ListMouseUp", b, s, x, y);
}

}  // namespace cp::sim::test
