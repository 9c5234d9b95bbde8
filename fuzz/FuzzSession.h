// One ColumnPick on a form of the simulated platform, for the fuzz targets: started as a host
// starts it (optionally from a stored property bag), with the simulated user at hand and the
// list window's own state readable.
#pragma once

#include <memory>

#include "control/ColumnPick.h"
#include "platform/sim/Form.h"
#include "platform/sim/ListBoxClass.h"
#include "platform/sim/PropertyStore.h"
#include "platform/sim/User.h"
#include "platform/sim/World.h"

namespace cp::fuzz {

// The component's start routine has always run on the thread: only then does the list
// window become the data-less list that takes its row count from the control.
struct SessionOptions {
    sim::PropertyStore* properties = nullptr;  // a saved form to load from
};

class Session {
public:
    explicit Session(SessionOptions options = {});
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    ColumnPick& control() { return *control_; }
    sim::World& world() { return world_; }
    sim::Form& form() { return form_; }
    sim::ControlHost& host() { return *host_; }
    sim::User& user() { return user_; }
    // The list window's own row count and selection.
    const sim::ListBoxState& ListWindow();

private:
    sim::World world_;
    sim::Form form_;
    sim::User user_;
    sim::ControlHost* host_ = nullptr;
    ColumnPick* control_ = nullptr;
};

}  // namespace cp::fuzz
