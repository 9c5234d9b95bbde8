// A small control for the simulator's tests: it records every notification the form host
// delivers, as short texts, and answers key notifications as a test tells it to.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Host.h"

namespace cp::sim::test {

class RecordingControl : public HostedControl {
public:
    explicit RecordingControl(const ControlSite& site, std::vector<std::string>& log)
        : site(site), log_(log) {}

    void UserControl_Initialize() override;
    void UserControl_InitProperties() override { log_.push_back("InitProperties"); }
    void UserControl_ReadProperties(cp::PropertyBag& bag) override;
    void UserControl_WriteProperties(cp::PropertyBag&) override {
        log_.push_back("WriteProperties");
    }
    void UserControl_Terminate() override { log_.push_back("Terminate"); }
    void UserControl_Resize() override { log_.push_back("Resize"); }
    void UserControl_Paint() override;
    void UserControl_MouseDown(std::int16_t b, std::int16_t s, float x, float y) override;
    void UserControl_MouseMove(std::int16_t b, std::int16_t s, float x, float y) override;
    void UserControl_MouseUp(std::int16_t b, std::int16_t s, float x, float y) override;
    void UserControl_ExitFocus() override { log_.push_back("ExitFocus"); }
    void txtTextBox_Change() override;
    void txtTextBox_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) override;
    void txtTextBox_KeyPress(std::int16_t& KeyAscii) override;
    void txtTextBox_KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) override;
    void txtTextBox_DblClick() override { log_.push_back("DblClick"); }
    void lstListBox_Click() override;
    void lstListBox_MouseDown(std::int16_t b, std::int16_t s, float x, float y) override;
    void lstListBox_MouseMove(std::int16_t b, std::int16_t s, float x, float y) override;
    void lstListBox_MouseUp(std::int16_t b, std::int16_t s, float x, float y) override;

    const ControlSite site;
    // Answers: run inside the notification of the same name.
    std::function<void()> onInitialize;
    std::function<void()> onPaint;
    std::function<void(std::int16_t& KeyCode)> onKeyDown;
    std::function<void(std::int16_t& KeyAscii)> onKeyPress;

private:
    void Mouse(const char* name, std::int16_t b, std::int16_t s, float x, float y);

    std::vector<std::string>& log_;  // the test's log of notifications
};

}  // namespace cp::sim::test
