// The window of the control's property page: a label and a field for each of the page's
// settings (an edit field, a check box or a list of named values), as a child of the window
// that the frame gives the page. The user's changes are reported by the field's index; the
// page's own filling of the fields is not.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "component/Com.h"

namespace ocx {

class PageWindow {
public:
    using Edited = std::function<void(std::size_t field)>;

    // The page's size, in pixels, as GetPageInfo reports it.
    static SIZE Size();

    // Throws std::bad_alloc when the window cannot be made.
    PageWindow(HWND parent, const RECT& place, Edited edited);
    ~PageWindow();
    PageWindow(const PageWindow&) = delete;
    PageWindow& operator=(const PageWindow&) = delete;

    HWND Handle() const { return window_; }
    // Shows the values, one per field: the text of an edit field, "1" or "0" for a check box,
    // the number of a named value.
    void Fill(std::span<const std::wstring> values);
    // The field's value as Fill takes it.
    std::wstring Read(std::size_t field) const;
    void Focus(std::size_t field);

private:
    static LRESULT CALLBACK Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void MakeFields();
    void FillChoice(std::size_t field, std::wstring_view value);

    HWND window_ = nullptr;
    std::vector<HWND> fields_;  // the field of each setting, in the page's order
    Edited edited_;             // told of the user's changes
    bool filling_ = false;      // the page, not the user, is changing the fields
};

// Removes the page's window class when the component is unloaded.
void UnregisterPageWindowClass();

}  // namespace ocx
