// The start-up of a control that a host places on a form, in the order every host runs it:
// UserControl_Initialize; then the list window, created after it so that a creation hook that
// the control installs there sees the list created; then UserControl_ReadProperties from the
// form's saved store, or UserControl_InitProperties for a new instance; last, the control takes
// its size (its resize notification) and is shown and painted.
#pragma once

#include <functional>
#include <string_view>

#include "platform/Host.h"

namespace cp {

using Notification = std::function<void(HostedControl&)>;

// What a host does at the steps of the start-up that are its own.
struct HostStartUp {
    // Runs a notification as the host runs notifications; `name` is the handler's, for the
    // host's reports of errors that escape it.
    std::function<void(std::string_view name, const Notification&)> deliver;
    std::function<void()> createList;
    std::function<void()> sizeShowAndPaint;
};

// `saved` is the form's store of the control's properties; nullptr for a new instance.
void StartControl(const HostStartUp& host, PropertyBag* saved);

}  // namespace cp
