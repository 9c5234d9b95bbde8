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
        EXPECT_THROW(world.FailNext("SendMesage", 5), std::invalid_argument);
        EXPECT_THROW(world.FailNext("SendMessage:", 5), std::invalid_argument);
        EXPECT_THROW(world.FailNext("TextBox.SetTxt", 5), std::invalid_argument);
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

TEST(MessageBoxes, AreRecordedAndAnsweredAtOnce) {
    World world;
    world.QueueMessageBoxAnswer(2);
    int seen = 0;
    world.OnMessageBox([&](const MessageBoxRecord&) { ++seen; });
    EXPECT_EQ(host::MsgBox("first", vbCritical, "Title"), 2);
    EXPECT_EQ(host::MsgBox("second", vbOKOnly), kIdOk);
    ASSERT_EQ(world.MessageBoxes().size(), 2u);
    EXPECT_EQ(world.MessageBoxes()[0].title, std::optional<std::string>("Title"));
    EXPECT_EQ(world.MessageBoxes()[1].buttons, vbOKOnly);
    EXPECT_FALSE(world.MessageBoxes()[1].title.has_value());
    EXPECT_EQ(seen, 2);
}

TEST(PropertyStoreLog, KeepsEveryReadAndWriteStoredOrNot) {
    World world;
    PropertyStore bag;
    bag.ReadProperty("ListRows", std::int16_t{8});
    bag.WriteProperty("ListRows", std::int16_t{8}, std::int16_t{8});
    bag.WriteProperty("ListRows", std::int16_t{12}, std::int16_t{8});
    EXPECT_EQ(CStr(bag.ReadProperty("listrows", std::int16_t{8})), "12");
    EXPECT_EQ(bag.Writes().size(), 2u);
    EXPECT_EQ(bag.Reads(), (std::vector<std::string>{"ListRows", "listrows"}));
}

thread_local std::vector<UINT>* delivered = nullptr;
LRESULT Recorder(HWND, UINT message, WPARAM, LPARAM) {
    delivered->push_back(message);
    // A message posted while the queue is delivered waits for the next round.
    if (message == WM_ACTIVATE) World::Current().PostMessage(nullptr, WM_ACTIVATEAPP, 0, 0);
    return 0;
}

TEST(DoEvents, RunsTheHandlerThenTheMessagesWaiting) {
    World world;
    std::vector<UINT> messages;
    delivered = &messages;
    RegisterClass("Recorder", Recorder);
    const HWND window = CreateWindow("Recorder", 0, 0, nullptr, RECT{});
    messages.clear();
    world.OnDoEvents([&] { world.PostMessage(window, WM_ACTIVATE, 0, 0); });
    host::DoEvents();
    EXPECT_EQ(messages, (std::vector<UINT>{WM_ACTIVATE}));
    EXPECT_EQ(world.PendingMessages(), 1u);
    EXPECT_EQ(world.DoEventsCount(), 1);
}

TEST(RuntimeFacilities, ScreenLocaleAndResources) {
    World world;
    EXPECT_EQ(host::ScreenWidth(), 12000);
    EXPECT_EQ(host::ScreenHeight(), 9000);
    host::SetScreenMousePointer(vbHourglass);
    host::SetScreenMousePointer(vbDefault);
    EXPECT_EQ(world.MousePointerHistory(), (std::vector<int>{vbHourglass, vbDefault}));
    world.SetDecimalSeparator(",");
    // The world hands its locale to the runtime, which the conversions follow.
    EXPECT_EQ(DecimalSeparator(), ",");
    EXPECT_EQ(UpperCase("stra\xC3\x9F"
                        "e \xC3\xBF \xC4\xB1 \xCF\x82\xCE\xAC \xD1\x8F\xD1\x91"),
              "STRA\xC3\x9F"
              "E \xC5\xB8 I \xCE\xA3\xCE\x86 \xD0\xAF\xD0\x81");

    const GdiCounts before = world.Graphics().Live();
    {
        const std::unique_ptr<Picture> arrow = host::LoadResPicture(10, vbResBitmap);
        const GdiObject* bitmap = world.Graphics().Object(arrow->Handle());
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(bitmap->width, 8);
        EXPECT_EQ(bitmap->height, 10);
        EXPECT_EQ(world.Graphics().Live().bitmaps, before.bitmaps + 1);
    }
    EXPECT_EQ(world.Graphics().Live(), before);
}

}  // namespace
}  // namespace cp::sim::test
