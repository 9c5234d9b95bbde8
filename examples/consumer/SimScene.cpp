// The scene on the simulated platform: a world of its own and a form in it.
#include <memory>

#include "Scene.h"
#include "platform/sim/Form.h"
#include "platform/sim/World.h"
#include "reports/Startup.h"

struct Scene::Parts {
    cp::sim::World world;
    cp::sim::Form form{world};
    cp::ColumnPick* control = nullptr;
};

Scene::Scene() : parts_(std::make_unique<Parts>()) {
    cp::ComponentStart();
    cp::sim::ControlHost& host = parts_->form.AddControl(
        [](const cp::ControlSite& site) { return std::make_unique<cp::ColumnPick>(site); });
    parts_->control = &host.ControlAs<cp::ColumnPick>();
}

Scene::~Scene() = default;

cp::ColumnPick& Scene::Control() {
    return *parts_->control;
}

std::vector<std::string> Scene::MessageBoxes() const {
    std::vector<std::string> prompts;
    for (const auto& box : parts_->world.MessageBoxes())
        prompts.push_back(box.prompt);
    return prompts;
}
