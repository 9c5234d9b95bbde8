// The About box from a C++ client: the About method and the host's About command (identifier
// -552) open the same modal window, twice in a row, with its caption and client size; the
// host's windows take no input while it is open. A timer of the test plays the user, who
// reads the box and closes it.
#include "platform/win32/Wide.h"
#include "tests/component/ComponentFixture.h"

namespace cp::test {
namespace {

constexpr int kClientWidthPixels = 5865 / 15;
constexpr int kClientHeightPixels = 3630 / 15;

struct SeenBox {
    HWND window = nullptr;
    std::string caption;
    ::RECT client{};
    bool hostDisabled = false;
};

HWND gHostForm = nullptr;
std::vector<SeenBox> gSeen;

void CALLBACK CloseTheBox(HWND, UINT, UINT_PTR timer, ::DWORD) {
    HWND box = ::FindWindowW(nullptr, L"Info about ColumnPick");
    if (box == nullptr || !::IsWindowVisible(box)) return;
    ::KillTimer(nullptr, timer);
    SeenBox seen;
    seen.window = box;
    wchar_t caption[64] = {};
    ::GetWindowTextW(box, caption, 64);
    seen.caption = win32::Narrow(caption);
    ::GetClientRect(box, &seen.client);
    seen.hostDisabled = !::IsWindowEnabled(gHostForm);
    gSeen.push_back(seen);
    ::PostMessageW(box, WM_CLOSE, 0, 0);
}

TEST(AboutBox, OpensModallyFromAboutAndFromTheHostsAboutCommand) {
    gHostForm = ::CreateWindowExW(0, L"STATIC", L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  200, 100, nullptr, nullptr, nullptr, nullptr);
    ComPtr<IDispatch> control = CreateControl();
    gSeen.clear();
    for (int i = 0; i < 2; ++i) {
        ::SetTimer(nullptr, 0, 20, &CloseTheBox);
        CallOk(control.Get(), L"About");
        ::SetTimer(nullptr, 0, 20, &CloseTheBox);
        // The host passes no exception and no argument index to fill.
        DISPPARAMS none{};
        EXPECT_EQ(control->Invoke(iface::DISPID_ABOUTBOX, IID_NULL, 0, DISPATCH_METHOD, &none,
                                  nullptr, nullptr, nullptr),
                  S_OK);
    }
    ASSERT_EQ(gSeen.size(), 4u) << "every call showed the box until it was closed";
    for (const SeenBox& seen : gSeen) {
        EXPECT_EQ(seen.caption, "Info about ColumnPick");
        EXPECT_EQ(seen.client.right, kClientWidthPixels);
        EXPECT_EQ(seen.client.bottom, kClientHeightPixels);
        EXPECT_TRUE(seen.hostDisabled) << "the host's window takes no input meanwhile";
        EXPECT_EQ(seen.window, gSeen[0].window) << "one box per thread, shown again";
    }
    EXPECT_TRUE(::IsWindowEnabled(gHostForm));
    ::DestroyWindow(gHostForm);
}

}  // namespace
}  // namespace cp::test
