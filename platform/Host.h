// What the control relies on from the form host that holds it: the host object of the control,
// the child objects it supplies (edit field, list window, line objects), the property store,
// and the runtime's global facilities (message boxes, pending-message processing, the screen,
// the application object, resources, locale). Both platforms implement these.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/IdleStep.h"
#include "platform/ThreadPost.h"
#include "runtime/Locale.h"
#include "runtime/Variant.h"

// Opaque handle types, declared as windows.h declares them so that on Win32 they are the very
// same types.
struct HWND__;
struct HDC__;
struct HBRUSH__;
struct HPEN__;
struct HFONT__;
struct HBITMAP__;
struct HHOOK__;
struct HINSTANCE__;

namespace cp {

using HWND = ::HWND__*;
using HDC = ::HDC__*;
using HBRUSH = ::HBRUSH__*;
using HPEN = ::HPEN__*;
using HFONT = ::HFONT__*;
using HBITMAP = ::HBITMAP__*;
using HHOOK = ::HHOOK__*;
using HINSTANCE = ::HINSTANCE__*;
using HGDIOBJ = void*;
using HANDLE = void*;

// A 32-bit colour: 0x00BBGGRR, or a system colour 0x800000nn.
using OLE_COLOR = std::int32_t;

// A picture object loaded from the component's resources; releasing it frees the bitmap.
class Picture {
public:
    virtual ~Picture() = default;
    virtual HBITMAP Handle() const = 0;
};

// The edit field `txtTextBox`. A put of Text runs the change notification before it returns.
class TextBox {
public:
    virtual ~TextBox() = default;
    virtual HWND hWnd() = 0;
    virtual std::string Text() = 0;
    virtual void SetText(std::string_view text) = 0;
    // Caret position in characters from the start of the text.
    virtual std::int32_t SelStart() = 0;
    virtual bool Locked() = 0;
    virtual void SetLocked(bool locked) = 0;
    virtual bool Enabled() = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual OLE_COLOR BackColor() = 0;
    virtual void SetBackColor(OLE_COLOR color) = 0;
    virtual OLE_COLOR ForeColor() = 0;
    virtual void SetForeColor(OLE_COLOR color) = 0;
    virtual void SetWidth(float twips) = 0;
    virtual void SetFocus() = 0;
};

// The list window `lstListBox`. A put of ListIndex runs the click notification before it
// returns. Sizes and positions are in twips of the parent's client area.
class ListBox {
public:
    virtual ~ListBox() = default;
    virtual HWND hWnd() = 0;
    virtual std::int32_t ListIndex() = 0;
    virtual void SetListIndex(std::int32_t index) = 0;
    virtual std::int32_t TopIndex() = 0;
    virtual void SetTopIndex(std::int32_t index) = 0;
    virtual void Move(float left, float top, float width, float height) = 0;
    // A get returns the size that the list window really took.
    virtual float Width() = 0;
    virtual void SetWidth(float twips) = 0;
    virtual float Height() = 0;
    virtual void SetHeight(float twips) = 0;
    virtual bool Visible() = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetBackColor(OLE_COLOR color) = 0;
    virtual HFONT Font() = 0;
    // The height of one row in pixels, which follows the list's font.
    virtual int RowHeight() = 0;
    virtual void Clear() = 0;
    virtual void RemoveItem(std::int32_t index) = 0;
    // Paints the visible rows again at once: what they show changed under the window.
    virtual void Redraw() = 0;
    // A band of `pixels` at the top of the window, outside the rows (0: none). The rows, their
    // scrolling and the mouse start below it; the window system has the control paint it
    // (HostedControl::lstListBox_PaintHeader) whenever it paints the window's frame.
    virtual void SetHeaderHeight(int pixels) = 0;
};

// One of the eight line objects of the frame; coordinates in twips of the control's client
// area.
class LineObject {
public:
    virtual ~LineObject() = default;
    virtual float X1() = 0;
    virtual void SetX1(float twips) = 0;
    virtual float X2() = 0;
    virtual void SetX2(float twips) = 0;
    virtual OLE_COLOR BorderColor() = 0;
    virtual void SetBorderColor(OLE_COLOR color) = 0;
    virtual bool Visible() = 0;
    virtual void SetVisible(bool visible) = 0;
};

// The host's property store (property bag): a key that is absent reads as the default given,
// and a value written equal to its default is not stored.
class PropertyBag {
public:
    virtual ~PropertyBag() = default;
    virtual Variant ReadProperty(std::string_view key, const Variant& defaultValue) = 0;
    virtual void WriteProperty(std::string_view key, const Variant& value,
                               const Variant& defaultValue) = 0;
};

// The control's host object (`UserControl`). Width and Height are in twips; a put makes the
// host resize the control and run its resize notification before the put returns.
class UserControlHost {
public:
    virtual ~UserControlHost() = default;
    virtual float Width() = 0;
    virtual void SetWidth(float twips) = 0;
    virtual float Height() = 0;
    virtual void SetHeight(float twips) = 0;
    virtual HWND hWnd() = 0;
    virtual HDC hDC() = 0;
    virtual bool Enabled() = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual void SetBackColor(OLE_COLOR color) = 0;
    // The window handle of the form that holds the control (`Parent.hWnd`).
    virtual HWND ParentHwnd() = 0;
    virtual void PropertyChanged(std::string_view key) = 0;
    // `Ambient.UserMode`: True at run time. Throws RuntimeError when the host offers no
    // ambient properties.
    virtual bool AmbientUserMode() = 0;
    // A post box of the control's thread (platform/ThreadPost.h) whose deliveries reach the
    // control as its other notifications do, the control kept whole while they run.
    virtual std::unique_ptr<ThreadPost> MakeThreadPost(std::function<void()> deliver);
    // An idle step of the control's thread (platform/IdleStep.h) that reaches the control as its
    // other notifications do, the control kept whole while it runs.
    virtual std::unique_ptr<IdleStep> MakeIdleStep(std::function<void()> step);
};

// The child objects and host object that the host supplies to one control instance.
struct ControlSite {
    UserControlHost& UserControl;
    TextBox& txtTextBox;
    ListBox& lstListBox;
    LineObject& linOuterTop;
    LineObject& linOuterLeft;
    LineObject& linOuterRight;
    LineObject& linOuterBottom;
    LineObject& linInnerTop;
    LineObject& linInnerLeft;
    LineObject& linInnerRight;
    LineObject& linInnerBottom;
};

// The notifications that the form host delivers to a control, one at a time, on the
// user-interface thread. Mouse positions are in twips; Button and Shift as the runtime passes
// them (vbShiftMask, vbCtrlMask, vbAltMask).
class AccessibleControl;

class HostedControl {
public:
    virtual ~HostedControl() = default;
    // What the control tells assistive technology; nullptr: nothing beyond its windows.
    virtual AccessibleControl* Accessibility() { return nullptr; }
    virtual void UserControl_Initialize() = 0;
    virtual void UserControl_InitProperties() = 0;
    virtual void UserControl_ReadProperties(PropertyBag& PropBag) = 0;
    virtual void UserControl_WriteProperties(PropertyBag& PropBag) = 0;
    virtual void UserControl_Terminate() = 0;
    virtual void UserControl_Resize() = 0;
    virtual void UserControl_Paint() = 0;
    virtual void UserControl_MouseDown(std::int16_t Button, std::int16_t Shift, float X,
                                       float Y) = 0;
    virtual void UserControl_MouseMove(std::int16_t Button, std::int16_t Shift, float X,
                                       float Y) = 0;
    virtual void UserControl_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y) = 0;
    virtual void UserControl_ExitFocus() = 0;
    virtual void txtTextBox_Change() = 0;
    virtual void txtTextBox_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) = 0;
    virtual void txtTextBox_KeyPress(std::int16_t& KeyAscii) = 0;
    virtual void txtTextBox_KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) = 0;
    virtual void txtTextBox_DblClick() = 0;
    virtual void lstListBox_Click() = 0;
    virtual void lstListBox_MouseDown(std::int16_t Button, std::int16_t Shift, float X,
                                      float Y) = 0;
    virtual void lstListBox_MouseMove(std::int16_t Button, std::int16_t Shift, float X,
                                      float Y) = 0;
    virtual void lstListBox_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y) = 0;
    // Paints the list's header band (ListBox::SetHeaderHeight) on hdc, whose origin is the
    // band's top left corner.
    virtual void lstListBox_PaintHeader(HDC /*hdc*/, int /*width*/, int /*height*/) {}
    // The list's scroll bar asks it to scroll (request: SB_LINEDOWN, SB_THUMBTRACK, ... of
    // WM_VSCROLL; position: the message's high word, the thumb's position in 16 bits), heard
    // before the list scrolls, so that the rows it scrolls over can be made ready first.
    // Answers true when the control has placed the list itself: the list then does not.
    virtual bool lstListBox_Scrolling(int /*request*/, int /*position*/) { return false; }
};

// Message-box styles and the mouse pointers that the control uses.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbCritical = 16;
inline constexpr int vbExclamation = 48;
inline constexpr int vbDefault = 0;
inline constexpr int vbHourglass = 11;
inline constexpr int vbResBitmap = 0;

// The host runtime's global facilities, one set per user-interface thread.
namespace host {

// A modal message box; no title means the host's default caption. Returns the button pressed.
int MsgBox(std::string_view prompt, int buttons, std::optional<std::string_view> title = {});
// Processes the window messages waiting at this moment, once.
void DoEvents();
float ScreenWidth();
float ScreenHeight();
int ScreenMousePointer();
void SetScreenMousePointer(int pointer);
HINSTANCE AppHInstance();
std::uint32_t AppThreadID();
// A picture from the component's resources (the arrow glyph is bitmap 10).
std::unique_ptr<Picture> LoadResPicture(int id, int type);
// The host's locale facts (decimal separator, upper case). The start routine hands them to the
// runtime; a host that learns of a new locale hands them over again.
LocaleFacts Locale();

}  // namespace host

}  // namespace cp
