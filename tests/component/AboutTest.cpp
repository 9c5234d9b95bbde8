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

HWND gHostForm = nullptr;
HWND gFirstBox = nullptr;
// Each box as the user saw it: "caption width x height", whether the host's window took input
// meanwhile, and whether it was the first box shown again.
Texts gSeen;

void CALLBACK CloseTheBox(HWND, UINT, UINT_PTR timer, ::DWORD) {
    HWND box = ::FindWindowW(nullptr, L"Info about ColumnPick");
    if (box == nullptr || !::IsWindowVisible(box)) return;
    ::KillTimer(nullptr, timer);
    if (gSeen.empty()) gFirstBox = box;
    ::RECT client{};
    ::GetClientRect(box, &client);
    gSeen.push_back(win32::Narrow(win32::WindowText(box)) + " " + std::to_string(client.right) +
                    " x " + std::to_string(client.bottom) +
                    (::IsWindowEnabled(gHostForm) ? " host enabled" : "") +
                    (box == gFirstBox ? "" : " another box"));
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
    // Every call showed the box until it was closed; the host's window took no input
    // meanwhile; one box per thread, shown again.
    EXPECT_EQ(gSeen, Texts(4, "Info about ColumnPick " + std::to_string(kClientWidthPixels) +
                                  " x " + std::to_string(kClientHeightPixels)));
    EXPECT_TRUE(::IsWindowEnabled(gHostForm));
    ::DestroyWindow(gHostForm);
}

}  // namespace
}  // namespace cp::test
