#include "platform/win32/ReaderObjects.h"

#include <array>
#include <cwctype>
#include <utility>

#include "platform/win32/ControlHost.h"
#include "platform/win32/Wide.h"

namespace cp::win32 {
namespace {

constexpr int kClassNameBuffer = 64;

// A static text or a label of the host's, which names the control that follows it.
bool IsLabel(HWND window) {
    std::array<wchar_t, kClassNameBuffer> name{};
    const int length = ::GetClassNameW(window, name.data(), kClassNameBuffer);
    std::wstring text(name.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text == L"static" || text.find(L"label") != std::wstring::npos;
}

// A label's text as it reads: "&&" is one ampersand, a single "&" marks the mnemonic.
std::wstring WithoutMnemonics(const std::wstring& text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) ++i;
        out += text[i];
    }
    return out;
}

// The label just before the control on its form: the nearest visible window above it among
// its siblings, when that is a label.
std::string LabelBefore(HWND control) {
    for (HWND w = ::GetWindow(control, GW_HWNDPREV); w != nullptr;
         w = ::GetWindow(w, GW_HWNDPREV)) {
        if (!::IsWindowVisible(w)) continue;
        return IsLabel(w) ? Narrow(WithoutMnemonics(WindowText(w))) : std::string();
    }
    return {};
}

template <class T>
void Cut(T*& object) {
    if (object == nullptr) return;
    object->Disconnect();
    std::exchange(object, nullptr)->Release();
}

}  // namespace

std::optional<LRESULT> ReaderObjects::Answer(HWND window, WPARAM flags, LPARAM objectId) {
    if (static_cast<LONG>(static_cast<DWORD>(objectId)) != OBJID_CLIENT) return std::nullopt;
    if (host_.Accessibility() == nullptr) return std::nullopt;
    ::IAccessible* object = nullptr;
    if (window == host_.ListBox().hWnd()) object = ListObject();
    if (window == host_.UserControl().hWnd()) object = ControlObject();
    if (object == nullptr) return std::nullopt;
    return ::LresultFromObject(__uuidof(::IAccessible), flags, object);
}

::IAccessible* ReaderObjects::ListObject() {
    if (list_ == nullptr) list_ = new ListAccessible(host_);
    return list_;
}

::IAccessible* ReaderObjects::HeaderObject() {
    if (header_ == nullptr) header_ = new HeaderAccessible(host_);
    return header_;
}

::IAccessible* ReaderObjects::ControlObject() {
    if (combo_ == nullptr) combo_ = new ComboAccessible(host_);
    return combo_;
}

std::string ReaderObjects::ControlName() {
    AccessibleControl* reader = host_.Accessibility();
    std::string name = reader != nullptr ? reader->ControlName() : std::string();
    if (name.empty()) name = LabelBefore(host_.UserControl().hWnd());
    if (name.empty() && host_.Holder() != nullptr) name = host_.Holder()->AmbientDisplayName();
    return name;
}

void ReaderObjects::Disconnect() {
    Cut(list_);
    Cut(header_);
    Cut(combo_);
}

}  // namespace cp::win32
