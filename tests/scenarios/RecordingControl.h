// A control that only records the notifications that its form host delivers, as short texts in
// order, and lets a test answer them: with it the tests pin what a host does without the real
// control.
#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/Host.h"

namespace cp::test {

class RecordingControl final : public HostedControl {
    std::vector<std::string> ownLog_;  // the log, unless the test keeps it

public:
    // A test that reads the log past the control's end keeps it.
    explicit RecordingControl(const ControlSite& s, std::vector<std::string>* testsLog = nullptr)
        : site(s), log(testsLog != nullptr ? *testsLog : ownLog_) {}

    const ControlSite site;         // what the host gave
    std::vector<std::string>& log;  // "Initialize", "KeyDown(40,4)", "Click(2)", ...
    // Answers: each runs inside the notification of the same name.
    std::function<void()> onInitialize, onReadProperties, onResize, onPaint, onChange;
    std::function<void(std::int16_t& KeyCode)> onKeyDown;
    std::function<void(std::int16_t& KeyAscii)> onKeyPress;

    int Count(const std::string& entry) const {
        return static_cast<int>(std::count(log.begin(), log.end(), entry));
    }

    void UserControl_Initialize() override { Note("Initialize", onInitialize); }
    void UserControl_InitProperties() override { log.push_back("InitProperties"); }
    void UserControl_ReadProperties(PropertyBag& bag) override {
        Note("ReadProperties(" + CStr(bag.ReadProperty("Text", "")) + ")", onReadProperties);
    }
    void UserControl_WriteProperties(PropertyBag&) override { log.push_back("WriteProperties"); }
    void UserControl_Terminate() override { log.push_back("Terminate"); }
    void UserControl_Resize() override { Note("Resize", onResize); }
    void UserControl_Paint() override { Note("Paint", onPaint); }
    void UserControl_MouseDown(std::int16_t b, std::int16_t s, float x, float y) override {
        Mouse("MouseDown", b, s, x, y);
    }
    void UserControl_MouseMove(std::int16_t b, std::int16_t s, float x, float y) override {
        Mouse("MouseMove", b, s, x, y);
    }
    void UserControl_MouseUp(std::int16_t b, std::int16_t s, float x, float y) override {
        Mouse("MouseUp", b, s, x, y);
    }
    void UserControl_ExitFocus() override { log.push_back("ExitFocus"); }
    void txtTextBox_Change() override { Note("Change", onChange); }
    void txtTextBox_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) override {
        log.push_back(Key("KeyDown", KeyCode, Shift));
        if (onKeyDown) onKeyDown(KeyCode);
    }
    void txtTextBox_KeyPress(std::int16_t& KeyAscii) override {
        log.push_back("KeyPress(" + std::to_string(KeyAscii) + ")");
        if (onKeyPress) onKeyPress(KeyAscii);
    }
    void txtTextBox_KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) override {
        log.push_back(Key("KeyUp", KeyCode, Shift));
    }
    void txtTextBox_DblClick() override { log.push_back("DblClick"); }
    void lstListBox_Click() override {
        log.push_back("Click(" + std::to_string(site.lstListBox.ListIndex()) + ")");
    }
    void lstListBox_MouseDown(std::int16_t b, std::int16_t s, float x, float y) override {
        Mouse("ListMouseDown", b, s, x, y);
    }
    void lstListBox_MouseMove(std::int16_t b, std::int16_t s, float x, float y) override {
        Mouse("ListMouseMove", b, s, x, y);
    }
    void lstListBox_MouseUp(std::int16_t b, std::int16_t s, float x, float y) override {
        Mouse("ListMouseUp", b, s, x, y);
    }

private:
    void Note(const std::string& entry, const std::function<void()>& then) {
        log.push_back(entry);
        if (then) then();
    }
    static std::string Key(const char* name, std::int16_t code, std::int16_t shift) {
        return std::string(name) + "(" + std::to_string(code) + "," + std::to_string(shift) + ")";
    }
    void Mouse(const char* name, std::int16_t b, std::int16_t s, float x, float y) {
        log.push_back(std::string(name) + "(" + std::to_string(b) + "," + std::to_string(s) + "," +
                      std::to_string(static_cast<int>(x)) + "," +
                      std::to_string(static_cast<int>(y)) + ")");
    }
};

}  // namespace cp::test
