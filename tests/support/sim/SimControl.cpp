#include "tests/support/sim/SimControl.h"

#include <gtest/gtest.h>

#include "control/Startup.h"
#include "platform/sim/ListBoxClass.h"

namespace cp::test {
namespace {

ColumnPick& Place(sim::Form& form, const SimControlOptions& options, sim::ControlHost*& host) {
    gblnStarted = options.started;
    host =
        &form.AddControl([](const ControlSite& site) { return std::make_unique<ColumnPick>(site); },
                         options.placement);
    return host->ControlAs<ColumnPick>();
}

}  // namespace

SimControl::SimControl(SimControlOptions options)
    : form_(world_, options.form), control_(&Place(form_, options, host_)), probe_(*control_) {
    control_->SetEventSink(&events_);
}

std::vector<std::string> SimControl::Prompts() const {
    std::vector<std::string> prompts;
    for (const auto& box : world_.MessageBoxes())
        prompts.push_back(box.prompt);
    return prompts;
}

int SimControl::ListWindowCount() {
    return static_cast<int>(sim::InspectListBox(host_->ListHwnd())->count);
}

int SimControl::ListWindowSelection() {
    return static_cast<int>(sim::InspectListBox(host_->ListHwnd())->selection);
}

int SimControl::ListWindowTopIndex() {
    return static_cast<int>(sim::InspectListBox(host_->ListHwnd())->top);
}

void SimControl::Fill(std::int16_t columns, const std::string& widths, const std::string& items) {
    control_->ColumnCount(columns);
    control_->ColumnWidths(widths);
    control_->AddList(items);
    EXPECT_TRUE(world_.MessageBoxes().empty()) << world_.MessageBoxes().front().prompt;
}

}  // namespace cp::test
