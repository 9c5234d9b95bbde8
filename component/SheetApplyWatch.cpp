#include "component/SheetApplyWatch.h"

#include <prsht.h>

namespace ocx {
namespace {

// The watch of the dialog, and the dialog's own procedure. The procedure stays recorded after
// the watch has gone when another window procedure was put in front of ours since: ours then
// stays in the chain and passes everything on.
constexpr const wchar_t* kWatchProperty = L"ColumnPick.SheetApplyWatch";
constexpr const wchar_t* kProcedureProperty = L"ColumnPick.SheetApplyWatch.Procedure";

bool IsDialog(HWND hWnd) {
    wchar_t name[16] = {};
    return ::GetClassNameW(hWnd, name, 16) > 0 && ::lstrcmpW(name, L"#32770") == 0;
}

void Unhook(HWND hWnd, WNDPROC own) {
    auto original = reinterpret_cast<LONG_PTR>(::GetPropW(hWnd, kProcedureProperty));
    if (original == 0 ||
        ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(own)) {
        return;
    }
    ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, original);
    ::RemovePropW(hWnd, kProcedureProperty);
}

}  // namespace

SheetApplyWatch::SheetApplyWatch(HWND holder, std::function<bool()> apply)
    : apply_(std::move(apply)) {
    if (holder == nullptr || !IsDialog(holder) || ::GetPropW(holder, kWatchProperty) != nullptr) {
        return;
    }
    if (::GetPropW(holder, kProcedureProperty) == nullptr) {
        const LONG_PTR original = ::GetWindowLongPtrW(holder, GWLP_WNDPROC);
        if (!::SetPropW(holder, kProcedureProperty, reinterpret_cast<HANDLE>(original))) return;
        ::SetWindowLongPtrW(holder, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
    }
    ::SetPropW(holder, kWatchProperty, this);
    holder_ = holder;
}

SheetApplyWatch::~SheetApplyWatch() {
    if (holder_ == nullptr || !::IsWindow(holder_)) return;
    ::RemovePropW(holder_, kWatchProperty);
    Unhook(holder_, &Procedure);
}

LRESULT CALLBACK SheetApplyWatch::Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto original = reinterpret_cast<WNDPROC>(::GetPropW(hWnd, kProcedureProperty));
    auto* watch = static_cast<SheetApplyWatch*>(::GetPropW(hWnd, kWatchProperty));
    if (watch != nullptr && message == WM_NOTIFY &&
        reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(PSN_APPLY)) {
        bool taken = false;
        try {
            taken = watch->apply_();
        } catch (...) {
            taken = false;
        }
        return taken ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
    }
    if (message == WM_NCDESTROY) {
        ::RemovePropW(hWnd, kWatchProperty);
        if (watch != nullptr) watch->holder_ = nullptr;
        Unhook(hWnd, &Procedure);
    }
    return original != nullptr ? ::CallWindowProcW(original, hWnd, message, wParam, lParam)
                               : ::DefWindowProcW(hWnd, message, wParam, lParam);
}

}  // namespace ocx
