// The scene on Win32: a real form window of the host runtime. The control's message boxes are
// real modal boxes there, so a box would wait for a person; the test command's time-out ends
// such a run as a failure.
#include <memory>

#include "Scene.h"
#include "platform/win32/Form.h"
#include "platform/win32/PropertyStore.h"
#include "reports/Startup.h"

struct Scene::Parts {
    cp::win32::PropertyStore store;
    cp::win32::Form form;
    cp::ColumnPick* control = nullptr;
};

Scene::Scene() : parts_(std::make_unique<Parts>()) {
    cp::ComponentStart();
    parts_->form.AddControl(
        [this](const cp::ControlSite& site) {
            auto control = std::make_unique<cp::ColumnPick>(site);
            parts_->control = control.get();
            return std::unique_ptr<cp::HostedControl>(std::move(control));
        },
        cp::win32::Placement{}, &parts_->store);
}

Scene::~Scene() = default;

cp::ColumnPick& Scene::Control() {
    return *parts_->control;
}

std::vector<std::string> Scene::MessageBoxes() const {
    return {};
}
