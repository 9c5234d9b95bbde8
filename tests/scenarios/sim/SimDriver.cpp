// The scenario driver on the simulated platform: one world, one form with its text field, and
// the simulated user.
#include <map>
#include <memory>

#include "platform/sim/EditClass.h"
#include "platform/sim/Form.h"
#include "platform/sim/ListBoxClass.h"
#include "platform/sim/SimWindowApi.h"
#include "platform/sim/User.h"
#include "platform/sim/World.h"
#include "reports/Startup.h"
#include "tests/scenarios/Driver.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

class SimDriver : public Driver {
public:
    SimDriver() : form_(world_), user_(world_) { ComponentStart(); }

    ColumnPick& AddControl(EventRecorder& events) override {
        auto& control = static_cast<ColumnPick&>(
            Place([](const ControlSite& site) { return std::make_unique<ColumnPick>(site); }, {}));
        // The host connects its event handlers once the control is on the form.
        control.SetEventSink(&events);
        return control;
    }
    HostedControl& AddHosted(const Factory& factory, PropertyBag* saved) override {
        sim::ControlPlacement placement;
        placement.properties = saved;
        return Place(factory, placement);
    }

    void FocusControl(HostedControl& control) override { user_.Focus(Host(control).EditHwnd()); }
    void TypeText(std::string_view text) override { user_.TypeText(text); }
    void PressKey(std::int16_t keyCode, std::int16_t shift) override {
        user_.PressKey(keyCode, shift);
    }
    void SelectText(int start, int length) override { user_.SelectText(start, length); }
    void MoveFocusAway() override { user_.MoveFocusAway(form_); }
    void TypeTextTo(HostedControl& control, std::string_view text) override {
        user_.TypeTextTo(Host(control).EditHwnd(), text);
    }
    void PressKeyTo(HostedControl& control, std::int16_t keyCode, std::int16_t shift) override {
        user_.PressKeyTo(Host(control).EditHwnd(), keyCode, shift);
    }

    void MouseDownOnControl(HostedControl& control, float x, float y,
                            std::int16_t button) override {
        user_.MouseDown(Host(control).Hwnd(), x, y, button);
    }
    void MouseMoveOnControl(HostedControl& control, float x, float y) override {
        user_.MouseMove(Host(control).Hwnd(), x, y);
    }
    void MouseUpOnControl(HostedControl& control, float x, float y, std::int16_t button) override {
        user_.MouseUp(Host(control).Hwnd(), x, y, button);
    }
    void MouseMoveOnList(HostedControl& control, float x, float y) override {
        user_.MouseMove(Host(control).ListHwnd(), x, y);
    }
    void MouseDownOnList(HostedControl& control, float x, float y) override {
        user_.MouseDown(Host(control).ListHwnd(), x, y);
    }
    void MouseUpOnList(HostedControl& control, float x, float y) override {
        user_.MouseUp(Host(control).ListHwnd(), x, y);
    }
    void PressListScrollBar(HostedControl& control, ScrollPress where) override {
        sim::PressScrollBar(Host(control).ListHwnd(), static_cast<int>(where));
    }
    void DragListThumb(HostedControl& control, int position) override {
        sim::DragScrollThumb(Host(control).ListHwnd(), position);
    }
    void ClickOnForm(float x, float y, std::int16_t button) override {
        user_.ClickOnForm(form_, x, y, button);
    }
    void ClickOnCaption() override { user_.ClickOnCaption(form_); }
    void ClickOnListHeader(HostedControl& control) override {
        user_.ClickOnFrame(Host(control).ListHwnd());
    }
    void ActivateOtherWindow() override { user_.DeactivateForm(form_); }

    std::string EditText(HostedControl& control) override {
        return sim::EditText(Host(control).EditHwnd());
    }
    int SelStart(HostedControl& control) override {
        return static_cast<int>(Edit(control).First());
    }
    int SelLength(HostedControl& control) override {
        const sim::EditState edit = Edit(control);
        return static_cast<int>(edit.Last() - edit.First());
    }
    bool EditHasFocus(HostedControl& control) override {
        return sim::GetFocus() == Host(control).EditHwnd();
    }
    bool ListVisible(HostedControl& control) override {
        return sim::IsWindowVisible(Host(control).ListHwnd());
    }
    RECT ListScreenRect(HostedControl& control) override {
        return world_.Windows().ScreenRect(Host(control).ListHwnd());
    }
    int ListSelection(HostedControl& control) override { return List(control).selection; }
    int ListTopIndex(HostedControl& control) override { return List(control).top; }
    RECT ControlScreenRect(HostedControl& control) override {
        return world_.Windows().ScreenRect(Host(control).Hwnd());
    }
    COLORREF ControlPixel(HostedControl& control, int x, int y) override {
        world_.Windows().UpdateAll();
        return sim::GetPixel(Host(control).Hwnd(), x, y);
    }
    int ListWindowCount(HostedControl& control) override { return List(control).count; }
    void HoldIdleSteps(bool held) override { world_.Steps().Hold(held); }
    void RunIdleSteps(ColumnPick&) override { world_.Steps().Drain(); }
    std::vector<MessageBoxRecord> MessageBoxes() override {
        std::vector<MessageBoxRecord> boxes;
        for (const sim::MessageBoxRecord& box : world_.MessageBoxes())
            boxes.push_back(MessageBoxRecord{box.prompt, box.buttons, box.title});
        return boxes;
    }

private:
    HostedControl& Place(const Factory& factory, const sim::ControlPlacement& placement) {
        sim::ControlHost& host = form_.AddControl(factory, placement);
        HostedControl& control = host.ControlAs<HostedControl>();
        hosts_[&control] = &host;
        return control;
    }
    sim::ControlHost& Host(HostedControl& control) { return *hosts_.at(&control); }
    // The edit field's and the list window's records; a window that is gone reads as a new one.
    sim::EditState Edit(HostedControl& control) {
        const sim::EditState* s = sim::InspectEdit(Host(control).EditHwnd());
        return s ? *s : sim::EditState{};
    }
    sim::ListBoxState List(HostedControl& control) {
        const sim::ListBoxState* s = sim::InspectListBox(Host(control).ListHwnd());
        return s ? *s : sim::ListBoxState{};
    }

    StartupState startup_;                               // put back when the scenario ends
    sim::World world_;                                   // the simulated window system
    sim::Form form_;                                     // the form the controls stand on
    sim::User user_;                                     // the user
    std::map<HostedControl*, sim::ControlHost*> hosts_;  // each control's form host
};

}  // namespace

bool EditFieldsHangAcrossThreads() {
    return false;
}

std::unique_ptr<Driver> MakeDriver() {
    return std::make_unique<SimDriver>();
}

}  // namespace cp::test
