// A host may end a control inside any of its events: take it off the form, or close the form.
// The control ends once the message that raised the event has been handled, so that its own
// code after the event (the rest of its handling of that message, events included) runs on a
// whole control (the sanitizers would see it otherwise); no event follows the end, its windows
// are gone, and the form goes on.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/sim/EditClass.h"
#include "platform/sim/SimConstants.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

constexpr std::int16_t kEnter = 13;

enum class HostEnd { RemoveControl, DestroyForm };

struct LifetimeCase {
    std::string event;                     // the event whose handler ends the control
    std::function<void(SimControl&)> act;  // what the user does meanwhile
    std::vector<std::string> seen;         // the events up to the end, the last one included
};

enum class Then { Nothing, Leave, Enter };

// What the user does meanwhile: types, then leaves the field or presses Enter, or neither.
std::function<void(SimControl&)> Typing(const char* text, Then then = Then::Nothing) {
    return [=](SimControl& c) {
        c.user().TypeText(text);
        if (then == Then::Enter) c.user().PressKey(kEnter);
        if (then == Then::Leave) c.user().MoveFocusAway(c.form());
    };
}

std::vector<LifetimeCase> Cases() {
    const std::vector<std::string> typedB = {"KeyDown(66,0)", "KeyPress(98)", "Change",
                                             "KeyUp(66,0)"};
    const auto then = [&](std::size_t n, std::initializer_list<std::string> more = {}) {
        std::vector<std::string> seen(typedB.begin(), typedB.begin() + n);
        seen.insert(seen.end(), more);
        return seen;
    };
    // Enter commits in the key's KeyPress handling, which goes on to hand the host KeyAscii 0.
    return {
        {"KeyDown", Typing("b"), then(1)},
        {"KeyPress", Typing("b"), then(2)},
        {"Change", Typing("b"), then(3)},
        {"KeyUp", Typing("b"), then(4)},
        {"NotInList",
         Typing("q", Then::Leave),
         {"KeyDown(81,0)", "KeyPress(113)", "Change", "KeyUp(81,0)", "NotInList(0)"}},
        {"AfterUpdate", Typing("b", Then::Leave), then(4, {"AfterUpdate"})},
        {"AfterUpdate", Typing("b", Then::Enter),
         then(4, {"KeyDown(13,0)", "AfterUpdate", "KeyPress(0)"})},
    };
}

TEST(ControlLifetime, AHostThatEndsTheControlInsideAnyEventEndsItOnceTheEventIsHandled) {
    for (const HostEnd end : {HostEnd::RemoveControl, HostEnd::DestroyForm}) {
        const std::vector<LifetimeCase> cases = Cases();
        for (std::size_t i = 0; i < cases.size(); ++i) {
            const LifetimeCase& lifetime = cases[i];
            const std::string label = "case " + std::to_string(i) + ", " + lifetime.event +
                                      (end == HostEnd::RemoveControl ? ", removed" : ", closed");
            SimControl c;
            c.Fill(2, "1000;1000", "Austria;AT;Belgium;BE;Bulgaria;BG");
            c.Focus();
            const std::vector<HWND> windows = {c.host().Hwnd(), c.host().EditHwnd(), c.List()};
            bool ended = false;
            c.events().onEvent = [&](const std::string& event) {
                if (ended || event.rfind(lifetime.event, 0) != 0) return;
                ended = true;
                if (end == HostEnd::RemoveControl) c.form().RemoveControl(c.host());
                if (end == HostEnd::DestroyForm) c.user().DestroyForm(c.form());
                EXPECT_EQ(c.form().ControlCount(), 1u) << label << ": not while its code runs";
            };
            lifetime.act(c);

            EXPECT_TRUE(ended) << label;
            EXPECT_EQ(c.events().Log(), lifetime.seen) << label << ": " << c.events().Joined();
            EXPECT_EQ(c.form().ControlCount(), 0u) << label;
            for (HWND window : windows)
                EXPECT_EQ(c.world().Windows().Find(window), nullptr) << label;
            EXPECT_TRUE(c.world().HostErrors().empty()) << label;
            if (end == HostEnd::RemoveControl) {
                c.user().Focus(c.form().TextFieldHwnd());
                c.user().TypeText("on");
                EXPECT_EQ(sim::EditText(c.form().TextFieldHwnd()), "on") << label;
            }
        }
    }
}

TEST(ControlLifetime, AnEndAskedForTwiceInsideOneEventEndsTheControlOnce) {
    SimControl c;
    c.Fill(1, "1000", "one;two");
    c.Focus();
    int removals = 0;
    c.events().onEvent = [&](const std::string&) {
        if (removals++ > 0) return;
        c.form().RemoveControl(c.host());
        c.form().RemoveControl(c.host());
        c.user().DestroyForm(c.form());
    };
    c.user().TypeText("t");
    EXPECT_EQ(c.events().Log(), std::vector<std::string>{"KeyDown(84,0)"});
    EXPECT_EQ(c.form().ControlCount(), 0u);
    EXPECT_TRUE(c.world().HostErrors().empty());
}

}  // namespace
}  // namespace cp::test
