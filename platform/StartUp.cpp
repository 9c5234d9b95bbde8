#include "platform/StartUp.h"

namespace cp {

void StartControl(const HostStartUp& host, PropertyBag* saved) {
    host.deliver("UserControl_Initialize", [](HostedControl& c) { c.UserControl_Initialize(); });
    host.createList();
    if (saved) {
        host.deliver("UserControl_ReadProperties",
                     [saved](HostedControl& c) { c.UserControl_ReadProperties(*saved); });
    } else {
        host.deliver("UserControl_InitProperties",
                     [](HostedControl& c) { c.UserControl_InitProperties(); });
    }
    host.sizeShowAndPaint();
}

}  // namespace cp
