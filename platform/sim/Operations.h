// The operations of the simulated platform that a test can make fail, by name:
// - every function of basApi.h by its name; "SendMessage:<message number in decimal>" fails
//   only that message ("SendMessage:390" for LB_SETCURSEL);
// - the host objects as "<object>.<member>", the member named as in Host.h (a get by the
//   property's name, a put by its Set... name);
// - the runtime's facilities.
// A simulator call site names its operation as an Operation, which is checked against this
// table when it is compiled; a test's plan is checked when it is made.
#pragma once

#include <algorithm>
#include <array>
#include <string_view>

namespace cp::sim {

inline constexpr auto kOperations = std::to_array<std::string_view>({
    // basApi.h
    "SendMessage",
    "GetParent",
    "SetParent",
    "GetWindowRect",
    "GetWindowLong",
    "SetWindowLong",
    "CallWindowProc",
    "GetClassName",
    "GetScrollInfo",
    "SetProp",
    "GetProp",
    "RemoveProp",
    "SetWindowsHookEx",
    "CallNextHookEx",
    "UnhookWindowsHookEx",
    "GetDC",
    "ReleaseDC",
    "CreateCompatibleDC",
    "DeleteDC",
    "CreateSolidBrush",
    "CreatePen",
    "SelectObject",
    "DeleteObject",
    "FillRect",
    "DrawEdge",
    "DrawText",
    "GetTextExtentExPoint",
    "SetBkColor",
    "SetTextColor",
    "MoveToEx",
    "LineTo",
    "BitBlt",
    "GetSysColor",
    // The edit field.
    "TextBox.hWnd",
    "TextBox.Text",
    "TextBox.SetText",
    "TextBox.SelStart",
    "TextBox.Locked",
    "TextBox.SetLocked",
    "TextBox.Enabled",
    "TextBox.SetEnabled",
    "TextBox.BackColor",
    "TextBox.SetBackColor",
    "TextBox.ForeColor",
    "TextBox.SetForeColor",
    "TextBox.SetWidth",
    "TextBox.SetFocus",
    // The list window.
    "ListBox.hWnd",
    "ListBox.ListIndex",
    "ListBox.SetListIndex",
    "ListBox.TopIndex",
    "ListBox.SetTopIndex",
    "ListBox.Move",
    "ListBox.Width",
    "ListBox.SetWidth",
    "ListBox.Height",
    "ListBox.SetHeight",
    "ListBox.Visible",
    "ListBox.SetVisible",
    "ListBox.SetBackColor",
    "ListBox.Font",
    "ListBox.RowHeight",
    "ListBox.Clear",
    "ListBox.RemoveItem",
    "ListBox.Redraw",
    "ListBox.SetHeaderHeight",
    // The line objects.
    "LineObject.X1",
    "LineObject.SetX1",
    "LineObject.X2",
    "LineObject.SetX2",
    "LineObject.BorderColor",
    "LineObject.SetBorderColor",
    "LineObject.Visible",
    "LineObject.SetVisible",
    // The property store.
    "PropertyBag.ReadProperty",
    "PropertyBag.WriteProperty",
    // The control's host object.
    "UserControl.Width",
    "UserControl.SetWidth",
    "UserControl.Height",
    "UserControl.SetHeight",
    "UserControl.hWnd",
    "UserControl.hDC",
    "UserControl.Enabled",
    "UserControl.SetEnabled",
    "UserControl.SetBackColor",
    "UserControl.ParentHwnd",
    "UserControl.PropertyChanged",
    "UserControl.AmbientUserMode",
    // The runtime's facilities.
    "MsgBox",
    "DoEvents",
    "Screen.Width",
    "Screen.Height",
    "Screen.MousePointer",
    "Screen.SetMousePointer",
    "App.hInstance",
    "App.ThreadID",
    "LoadResPicture",
    "ShowModalForm",
});

// The prefix of the names that fail one message only.
inline constexpr std::string_view kMessageOperationPrefix = "SendMessage:";

constexpr bool IsOperation(std::string_view name) {
    if (name.starts_with(kMessageOperationPrefix)) {
        const std::string_view number = name.substr(kMessageOperationPrefix.size());
        return !number.empty() && std::all_of(number.begin(), number.end(),
                                              [](char c) { return c >= '0' && c <= '9'; });
    }
    return std::find(kOperations.begin(), kOperations.end(), name) != kOperations.end();
}

// An operation's name as a simulator call site gives it: a name missing from the table does
// not compile.
class Operation {
public:
    consteval Operation(const char* name) : name_(name) {
        if (!IsOperation(name_)) throw "not an operation of the simulator's table";
    }
    constexpr std::string_view Name() const { return name_; }

private:
    std::string_view name_;
};

}  // namespace cp::sim
