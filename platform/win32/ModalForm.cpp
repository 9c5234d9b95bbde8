// The component's own forms on Win32: a window with a caption and a close command, its client
// area of the design's size, and its children (pictures from their pixels, a read-only text
// box, labels) in their colours. Shown modally: the thread's other top-level windows are
// disabled until the user closes the form, whose close command hides it. Each form exists
// once per user-interface thread and is shown again on later calls.
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/FormDesign.h"
#include "platform/win32/ModalForm.h"
#include "platform/win32/ModuleInstance.h"
#include "platform/win32/Units.h"
#include "platform/win32/Wide.h"
#include "platform/win32/WindowsApi.h"
#include "runtime/RuntimeError.h"

namespace cp::win32 {
namespace {

constexpr ::DWORD kStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

// One form of the thread: its window, its children's colours and its bitmaps.
class ModalForm {
public:
    explicit ModalForm(const FormDesign& design);
    ~ModalForm();
    ModalForm(const ModalForm&) = delete;
    ModalForm& operator=(const ModalForm&) = delete;

    // Shows the form and returns when it is closed.
    void ShowModal();
    // The form's window is still there: a host may have destroyed it.
    bool HasWindow() const { return hWnd_ != nullptr; }

private:
    struct Colors {
        HWND child;
        COLORREF back;
        COLORREF fore;
        HBRUSH brush;
    };
    static LRESULT CALLBACK Proc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT uMsg, WPARAM wParam, LPARAM lParam);
    void AddChild(const FormChild& child);
    // Destroys the window and deletes the children's drawing objects.
    void Release();
    HBRUSH ColorsOf(HWND child, HDC hdc);

    HWND hWnd_ = nullptr;
    bool shown_ = false;  // the modal loop runs while this holds
    std::vector<Colors> colors_;
    std::vector<HBITMAP> bitmaps_;
};

void RegisterFormClass(::WNDPROC proc) {
    ::WNDCLASSEXW known{};
    known.cbSize = sizeof known;
    if (::GetClassInfoExW(ModuleInstance(), kModalFormClass, &known)) return;
    ::WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = ModuleInstance();
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kModalFormClass;
    if (::RegisterClassExW(&wc) == 0)
        Raise(vberr::OutOfMemory, "The form's window class could not be registered.");
}

HBITMAP BitmapOf(const PicturePixels& picture) {
    ::BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) Raise(vberr::OutOfMemory, "A picture of the form could not be made.");
    // The DIB's pixels are 0x00RRGGBB, as the picture's.
    std::copy(picture.pixels.begin(), picture.pixels.end(), static_cast<std::uint32_t*>(bits));
    return bitmap;
}

struct WindowSearch {
    HWND except;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectEnabledWindow(HWND hWnd, LPARAM lParam) {
    auto& s = *reinterpret_cast<WindowSearch*>(lParam);
    if (hWnd != s.except && ::IsWindowVisible(hWnd) && ::IsWindowEnabled(hWnd)) {
        s.found.push_back(hWnd);
    }
    return TRUE;
}

// The thread's top-level windows that take input now, other than `except`.
std::vector<HWND> EnabledThreadWindows(HWND except) {
    WindowSearch search{except, {}};
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectEnabledWindow,
                        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

ModalForm::ModalForm(const FormDesign& design) {
    RegisterFormClass(&ModalForm::Proc);
    ::RECT frame{0, 0, PixelsFromTwips(design.clientWidth), PixelsFromTwips(design.clientHeight)};
    ::AdjustWindowRectEx(&frame, kStyle, FALSE, WS_EX_DLGMODALFRAME);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    hWnd_ = ::CreateWindowExW(WS_EX_DLGMODALFRAME, kModalFormClass, Widen(design.caption).c_str(),
                              kStyle, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                              (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                              nullptr, nullptr, ModuleInstance(), this);
    if (hWnd_ == nullptr) Raise(vberr::OutOfMemory, "The form's window could not be created.");
    // A child that cannot be made (no memory for its picture, say) takes the form with it, so
    // that no window is left whose messages reach an object that was never made. Room for
    // every child's drawing objects is made first: none is then lost on its way in.
    try {
        colors_.reserve(design.children.size());
        bitmaps_.reserve(design.children.size());
        for (const FormChild& child : design.children)
            AddChild(child);
    } catch (...) {
        Release();
        throw;
    }
}

ModalForm::~ModalForm() {
    Release();
}

void ModalForm::Release() {
    if (hWnd_ != nullptr) ::DestroyWindow(hWnd_);
    for (const Colors& c : colors_)
        ::DeleteObject(c.brush);
    colors_.clear();
    for (HBITMAP bitmap : bitmaps_)
        ::DeleteObject(bitmap);
    bitmaps_.clear();
}

void ModalForm::AddChild(const FormChild& child) {
    const int x = PixelsFromTwips(child.left);
    const int y = PixelsFromTwips(child.top);
    const int w = PixelsFromTwips(child.width);
    const int h = PixelsFromTwips(child.height);
    HWND made = nullptr;
    switch (child.kind) {
        case FormChildKind::Picture: {
            made = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BITMAP, x, y, w,
                                     h, hWnd_, nullptr, ModuleInstance(), nullptr);
            if (child.picture == nullptr) break;
            bitmaps_.push_back(BitmapOf(child.picture()));
            ::SendMessageW(made, STM_SETIMAGE, IMAGE_BITMAP,
                           reinterpret_cast<LPARAM>(bitmaps_.back()));
            return;
        }
        case FormChildKind::TextBox:
            made = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", Widen(child.text).c_str(),
                                     WS_CHILD | WS_VISIBLE | ES_READONLY | ES_AUTOHSCROLL, x, y, w,
                                     h, hWnd_, nullptr, ModuleInstance(), nullptr);
            break;
        case FormChildKind::Label:
            made = ::CreateWindowExW(0, L"STATIC", Widen(child.text).c_str(),
                                     WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, x, y, w, h,
                                     hWnd_, nullptr, ModuleInstance(), nullptr);
            break;
    }
    if (made == nullptr) return;
    ::SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)),
                   FALSE);
    const COLORREF back = ColorFromOle(child.backColor);
    colors_.push_back({made, back, ColorFromOle(child.foreColor), ::CreateSolidBrush(back)});
}

HBRUSH ModalForm::ColorsOf(HWND child, HDC hdc) {
    for (const Colors& c : colors_) {
        if (c.child != child) continue;
        ::SetTextColor(hdc, c.fore);
        ::SetBkColor(hdc, c.back);
        return c.brush;
    }
    return nullptr;
}

void ModalForm::ShowModal() {
    // The host's windows take no input while the form is open.
    const std::vector<HWND> disabled = EnabledThreadWindows(hWnd_);
    HWND owner = ::GetActiveWindow();
    for (HWND w : disabled)
        ::EnableWindow(w, FALSE);
    shown_ = true;
    ::ShowWindow(hWnd_, SW_SHOW);
    ::SetForegroundWindow(hWnd_);
    ::MSG msg{};
    while (shown_ && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!::IsDialogMessageW(hWnd_, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    // A quit request belongs to the program's own message loop.
    if (msg.message == WM_QUIT) ::PostQuitMessage(static_cast<int>(msg.wParam));
    for (HWND w : disabled) {
        if (::IsWindow(w)) ::EnableWindow(w, TRUE);
    }
    ::ShowWindow(hWnd_, SW_HIDE);
    if (owner != nullptr && ::IsWindow(owner)) ::SetActiveWindow(owner);
}

LRESULT CALLBACK ModalForm::Proc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const ::CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<ModalForm*>(create->lpCreateParams)->hWnd_ = hWnd;
    }
    auto* self = reinterpret_cast<ModalForm*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (self == nullptr) return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
    return self->Handle(uMsg, wParam, lParam);
}

LRESULT ModalForm::Handle(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    HWND hWnd = hWnd_;
    switch (uMsg) {
        case WM_CLOSE:
            // The window's own close command ends the modal loop; the form stays for later.
            shown_ = false;
            ::ShowWindow(hWnd_, SW_HIDE);
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
            if (HBRUSH brush =
                    ColorsOf(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(brush);
            break;
        case WM_NCDESTROY:
            ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
            hWnd_ = nullptr;
            shown_ = false;
            break;
        default:
            break;
    }
    return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

using FormsByName = std::map<std::string, std::unique_ptr<ModalForm>>;

// The thread's forms by name, destroyed by DestroyModalForms. They are reached through a plain
// pointer: a thread-local object with a destructor would be destroyed at the process's end in
// an order of the runtime's choosing, after storage that it uses has gone; forms still there
// then go with the process.
thread_local FormsByName* tForms = nullptr;

FormsByName& ThreadForms() {
    if (tForms == nullptr) tForms = new FormsByName();
    return *tForms;
}

}  // namespace

void DestroyModalForms() {
    delete std::exchange(tForms, nullptr);
}

}  // namespace cp::win32

namespace cp::host {

void ShowModalForm(const FormDesign& design) {
    auto& form = win32::ThreadForms()[std::string(design.name)];
    // A form whose window the host destroyed is made again.
    if (!form || !form->HasWindow()) form = std::make_unique<win32::ModalForm>(design);
    form->ShowModal();
}

}  // namespace cp::host
