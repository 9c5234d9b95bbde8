#include "fuzz/FuzzSession.h"

#include <cstdio>
#include <cstdlib>

#include "control/Startup.h"

namespace cp::fuzz {
namespace {

sim::ControlHost& Place(sim::Form& form, const SessionOptions& options) {
    ComponentStart();
    sim::ControlPlacement placement;
    placement.properties = options.properties;
    return form.AddControl(
        [](const ControlSite& site) { return std::make_unique<ColumnPick>(site); }, placement);
}

}  // namespace

Session::Session(SessionOptions options)
    : form_(world_),
      user_(world_),
      host_(&Place(form_, options)),
      control_(&host_->ControlAs<ColumnPick>()) {}

const sim::ListBoxState& Session::ListWindow() {
    const sim::ListBoxState* state = sim::InspectListBox(host_->ListHwnd());
    if (!state) {
        std::fprintf(stderr, "the control's list window is gone\n");
        std::abort();
    }
    return *state;
}

}  // namespace cp::fuzz
