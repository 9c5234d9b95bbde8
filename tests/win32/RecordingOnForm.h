// A form with one recording control on it; `prepare` runs before the control's start-up.
#pragma once

#include <functional>
#include <memory>

#include "platform/win32/Form.h"
#include "platform/win32/PropertyStore.h"
#include "tests/scenarios/RecordingControl.h"

namespace cp::test {

struct RecordingOnForm {
    explicit RecordingOnForm(const std::function<void(RecordingControl&)>& prepare = {}) {
        host = &form.AddControl(
            [&](const ControlSite& site) {
                auto made = std::make_unique<RecordingControl>(site);
                control = made.get();
                if (prepare) prepare(*made);
                return std::unique_ptr<HostedControl>(std::move(made));
            },
            {}, &store);
    }
    win32::PropertyStore store;
    win32::Form form;
    win32::ControlHost* host = nullptr;
    RecordingControl* control = nullptr;
};

}  // namespace cp::test
