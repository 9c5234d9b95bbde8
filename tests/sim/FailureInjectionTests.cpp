// Planned failures of the simulated host calls: the only way the tests reach the control's
// failure paths, so a plan must hit exactly the call it names and a plan that cannot fire is
// reported.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/basApi.h"
#include "platform/sim/Form.h"
#include "platform/sim/PropertyStore.h"
#include "platform/sim/SimWindowApi.h"
#include "platform/sim/World.h"
#include "runtime/RuntimeError.h"
#include "tests/scenarios/RecordingControl.h"
#include "tests/support/ErrorOf.h"

namespace cp::sim::test {
namespace {

using cp::test::ErrorOf;

TEST(FailureInjection, NamedOperationsFailOnceWhereverTheyAreCalled) {
    World world;
    Form form(world);
    ControlHost& host = form.AddControl(
        [](const ControlSite& site) { return std::make_unique<cp::test::RecordingControl>(site); });
    RECT r{};
    world.FailNext("GetWindowRect", 5);
    EXPECT_EQ(ErrorOf([&] { GetWindowRect(host.Hwnd(), &r); }), 5);
    EXPECT_EQ(ErrorOf([&] { GetWindowRect(host.Hwnd(), &r); }), 0);

    world.FailNext("ListBox.Height", 9, 1);  // the second call fails
    EXPECT_EQ(ErrorOf([&] { host.ListBox().Height(); }), 0);
    EXPECT_EQ(ErrorOf([&] { host.ListBox().Height(); }), 9);

    world.FailNext("SendMessage:390", 6);  // LB_SETCURSEL only
    EXPECT_EQ(ErrorOf([&] { SendMessage(host.ListHwnd(), LB_GETCOUNT, 0, 0); }), 0);
    EXPECT_EQ(ErrorOf([&] { host.ListBox().ListIndex(); }), 0);
    EXPECT_EQ(ErrorOf([&] { SendMessage(host.ListHwnd(), LB_SETCURSEL, 0, 0); }), 6);

    // The simulator's own messages do not use up a planned failure.
    world.FailNext("SendMessage", 7);
    host.TextBox().SetText("x");
    EXPECT_EQ(world.PendingFailures(), 1u);
    EXPECT_EQ(ErrorOf([&] { SendMessage(host.ListHwnd(), LB_GETCOUNT, 0, 0); }), 7);
    world.FailNext("Screen.Height", 11);
    world.FailNext("PropertyBag.ReadProperty", 13);
    EXPECT_EQ(ErrorOf([] { host::ScreenHeight(); }), 11);
    PropertyStore bag;
    EXPECT_EQ(ErrorOf([&] { bag.ReadProperty("Text", ""); }), 13);
}

thread_local std::vector<std::string>* unfired = nullptr;
void RecordUnfired(const std::string& report) {
    unfired->push_back(report);
}

TEST(FailureInjection, APlanThatNamesNoOperationOrNeverFiresIsReported) {
    std::vector<std::string> reports;
    unfired = &reports;
    const UnfiredFailureHandler testHandler = SetUnfiredFailureHandler(&RecordUnfired);
    {
        World world;
        for (const char* misnamed : {"SendMesage", "SendMessage:", "TextBox.SetTxt"})
            EXPECT_THROW(world.FailNext(misnamed, 5), std::invalid_argument) << misnamed;
        world.FailNext("SendMessage:390", 6);
        world.FailNext("TextBox.SetText", 5, 1);
        EXPECT_EQ(world.PendingFailures(), 2u);
    }
    SetUnfiredFailureHandler(testHandler);
    EXPECT_EQ(reports,
              (std::vector<std::string>{
                  "the failure planned for \"SendMessage:390\" (error 6) never happened",
                  "the failure planned for \"TextBox.SetText\" (error 5) never happened"}));
}

}  // namespace
}  // namespace cp::sim::test
