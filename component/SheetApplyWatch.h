// A frame built as a property sheet (Wine's OleCreatePropertyFrame) tells its pages of OK and
// Apply only by PSN_APPLY to the dialog it made around each page, and never calls
// IPropertyPage::Apply. The page listens on that dialog and applies itself then; its answer
// keeps the sheet open when a value was refused. A frame that does call Apply afterwards finds
// the page clean.
#pragma once

#include <functional>

#include "component/Com.h"

namespace ocx {

class SheetApplyWatch {
public:
    // `apply` answers whether every value was taken. Nothing is watched unless `holder` is a
    // dialog.
    SheetApplyWatch(HWND holder, std::function<bool()> apply);
    ~SheetApplyWatch();
    SheetApplyWatch(const SheetApplyWatch&) = delete;
    SheetApplyWatch& operator=(const SheetApplyWatch&) = delete;

private:
    static LRESULT CALLBACK Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND holder_ = nullptr;  // the dialog watched, or nullptr
    std::function<bool()> apply_;
};

}  // namespace ocx
