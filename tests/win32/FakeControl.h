// A control that only records the notifications that its host delivers, in order, and lets a
// test answer them; with it the tests pin what the Win32 host does without the real control.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Host.h"
#include "platform/win32/Form.h"
#include "platform/win32/PropertyStore.h"

namespace cp::test {

class FakeControl final : public HostedControl {
public:
    explicit FakeControl(const ControlSite& s) : site(s) {}

    ControlSite site;              // what the host gave
    std::vector<std::string> log;  // notifications, as "KeyDown(40,4)", "Change", ...
    std::function<void()> onInitialize, onReadProperties, onResize, onPaint, onChange;
    std::function<void(std::int16_t& KeyCode)> onKeyDown;
    std::function<void(std::int16_t& KeyAscii)> onKeyPress;

    void UserControl_Initialize() override { Note("Initialize", onInitialize); }
    void UserControl_InitProperties() override { log.push_back("InitProperties"); }
    void UserControl_ReadProperties(PropertyBag&) override {
        Note("ReadProperties", onReadProperties);
    }
    void UserControl_WriteProperties(PropertyBag&) override { log.push_back("WriteProperties"); }
    void UserControl_Terminate() override { log.push_back("Terminate"); }
    void UserControl_Resize() override { Note("Resize", onResize); }
    void UserControl_Paint() override { Note("Paint", onPaint); }
    void UserControl_MouseDown(std::int16_t b, std::int16_t s, float x, float y) override {
        Mouse("MouseDown", b, s, x, y);
    }
    void UserControl_MouseMove(std::int16_t, std::int16_t, float, float) override {}
    void UserControl_MouseUp(std::int16_t b, std::int16_t s, float x, float y) override {
        Mouse("MouseUp", b, s, x, y);
    }
    void UserControl_ExitFocus() override { log.push_back("ExitFocus"); }
    void txtTextBox_Change() override { Note("Change", onChange); }
    void txtTextBox_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) override {
        log.push_back("KeyDown(" + std::to_string(KeyCode) + "," + std::to_string(Shift) + ")");
        if (onKeyDown) onKeyDown(KeyCode);
    }
    void txtTextBox_KeyPress(std::int16_t& KeyAscii) override {
        log.push_back("KeyPress(" + std::to_string(KeyAscii) + ")");
        if (onKeyPress) onKeyPress(KeyAscii);
    }
    void txtTextBox_KeyUp(std::int16_t& KeyCode, std::int16_t&) override {
        log.push_back("KeyUp(" + std::to_string(KeyCode) + ")");
    }
    void txtTextBox_DblClick() override { log.push_back("DblClick"); }
    void lstListBox_Click() override { log.push_back("Click"); }
    void lstListBox_MouseDown(std::int16_t b, std::int16_t s, float x, float y) override {
        Mouse("ListDown", b, s, x, y);
    }
    void lstListBox_MouseMove(std::int16_t, std::int16_t, float, float) override {}
    void lstListBox_MouseUp(std::int16_t b, std::int16_t s, float x, float y) override {
        Mouse("ListUp", b, s, x, y);
    }

    // The log joined with ", ", for readable failures.
    std::string Joined() const {
        std::string out;
        for (const auto& e : log)
            out += (out.empty() ? "" : ", ") + e;
        return out;
    }

private:
    void Note(const char* name, const std::function<void()>& then) {
        log.push_back(name);
        if (then) then();
    }
    void Mouse(const char* name, std::int16_t b, std::int16_t s, float x, float y) {
        log.push_back(std::string(name) + "(" + std::to_string(b) + "," + std::to_string(s) + "," +
                      std::to_string(int(x)) + "," + std::to_string(int(y)) + ")");
    }
};

// A form with one fake control on it; `prepare` runs before the control's start-up.
struct FakeOnForm {
    explicit FakeOnForm(const std::function<void(FakeControl&)>& prepare = {},
                        win32::Placement at = {}) {
        host = &form.AddControl(
            [&](const ControlSite& site) {
                auto made = std::make_unique<FakeControl>(site);
                fake = made.get();
                if (prepare) prepare(*made);
                return std::unique_ptr<HostedControl>(std::move(made));
            },
            at, &store);
    }
    win32::PropertyStore store;
    win32::Form form;
    win32::ControlHost* host = nullptr;
    FakeControl* fake = nullptr;
};

}  // namespace cp::test
