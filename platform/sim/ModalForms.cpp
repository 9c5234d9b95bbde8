#include "platform/sim/ModalForms.h"

#include <map>

#include "platform/sim/World.h"

namespace cp {
namespace sim {

std::vector<ShownForm>& ShownForms() {
    thread_local std::vector<ShownForm> shown;
    return shown;
}

}  // namespace sim

namespace host {

void ShowModalForm(const FormDesign& design) {
    sim::World::Current().CheckFailure("ShowModalForm");
    // One form of each name per thread, shown again on later calls.
    thread_local std::map<std::string, int> shows;
    const int count = ++shows[std::string(design.name)];
    sim::ShownForms().push_back({std::string(design.name), std::string(design.caption), count});
}

}  // namespace host
}  // namespace cp
