// Failure injection: a test names an operation and the run-time error its next call raises.
//
// Operation names:
// - every function of basApi.h by its name: "SendMessage", "GetParent", "SetParent",
//   "GetWindowRect", "GetWindowLong", "SetWindowLong", "CallWindowProc", "GetClassName",
//   "SetProp", "GetProp", "RemoveProp", "SetWindowsHookEx", "CallNextHookEx",
//   "UnhookWindowsHookEx", "GetDC", "ReleaseDC", "CreateCompatibleDC", "DeleteDC",
//   "CreateSolidBrush", "CreatePen", "SelectObject", "DeleteObject", "FillRect", "DrawEdge",
//   "DrawText", "GetTextExtentExPoint", "SetBkColor", "SetTextColor", "MoveToEx", "LineTo",
//   "BitBlt", "GetSysColor"; "SendMessage:<message number in decimal>" fails only that
//   message ("SendMessage:390" for LB_SETCURSEL);
// - the host objects as "<object>.<member>", the member named as in Host.h (a get by the
//   property's name, a put by its Set... name): "TextBox.Text", "TextBox.SetText",
//   "TextBox.SelStart", "TextBox.SetFocus", "ListBox.ListIndex", "ListBox.SetListIndex",
//   "ListBox.Height", "ListBox.SetHeight", "ListBox.Move", "ListBox.Font", "ListBox.Clear",
//   "LineObject.SetX1", "UserControl.Width", "UserControl.hWnd", "UserControl.ParentHwnd",
//   "UserControl.AmbientUserMode", "UserControl.PropertyChanged", "PropertyBag.ReadProperty",
//   "PropertyBag.WriteProperty", and so on for every member;
// - the runtime facilities: "MsgBox", "DoEvents", "Screen.Width", "Screen.Height",
//   "Screen.MousePointer", "Screen.SetMousePointer", "App.hInstance", "App.ThreadID",
//   "LoadResPicture".
// Only calls made from outside the simulator count: the simulator's own messages (a list box
// drawing its rows, the user's keys) never consume a planned failure.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace cp::sim {

class FailureInjector {
public:
    // The call of `operation` after `skip` successful ones raises RuntimeError(number), with
    // the given description or, when there is none, the standard one.
    void FailNext(std::string operation, std::int32_t number, int skip = 0,
                  std::string description = {});
    // Raises the planned error when this call of `operation` is the one to fail.
    void Check(std::string_view operation);
    // Planned failures that have not happened yet.
    std::size_t Pending() const { return plans_.size(); }
    void Clear() { plans_.clear(); }
    // Counts the calls of every operation from now on (keyed SendMessage names aside), so that
    // a test can plan a failure of each call that a session makes.
    void CountCalls() { counting_ = true; }
    const std::map<std::string, int, std::less<>>& CallCounts() const { return counts_; }

private:
    struct Plan {
        std::string operation;    // the operation whose call fails
        std::int32_t number;      // the run-time error it raises
        int skip;                 // successful calls still to let through first
        std::string description;  // the error's description ("" for the standard one)
    };
    std::vector<Plan> plans_;                         // in the order planned
    bool counting_ = false;                           // calls are counted
    std::map<std::string, int, std::less<>> counts_;  // calls so far, by operation
};

}  // namespace cp::sim
