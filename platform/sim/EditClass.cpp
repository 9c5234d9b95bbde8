#include "platform/sim/EditClass.h"

#include <algorithm>

#include "platform/sim/BuiltInClasses.h"
#include "platform/sim/SimConstants.h"
#include "platform/sim/TextMetrics.h"
#include "platform/sim/World.h"
#include "runtime/Utf8.h"

namespace cp::sim {
namespace {

constexpr char32_t kBackspace = 8;
constexpr char32_t kCtrlC = 3;
constexpr char32_t kCtrlV = 22;
constexpr char32_t kCtrlX = 24;
constexpr char32_t kFirstPrintable = 32;
constexpr char32_t kDel = 127;

WindowManager& Windows() {
    return World::Current().Windows();
}

std::u32string Decode(std::string_view utf8) {
    std::u32string out;
    for (std::size_t offset = 0; offset < utf8.size();)
        out.push_back(utf8::Next(utf8, offset));
    return out;
}

std::string Encode(std::u32string_view text) {
    std::string out;
    for (char32_t c : text)
        utf8::Append(out, c);
    return out;
}

bool ReadOnly(HWND hwnd) {
    const Window* w = Windows().Find(hwnd);
    return w && (w->style & ES_READONLY);
}

void NotifyChange(HWND hwnd) {
    const Window* w = Windows().Find(hwnd);
    if (w && w->owner)
        Windows().Send(w->owner, WM_COMMAND, MakeCommandParam(w->id, EN_CHANGE),
                       reinterpret_cast<LPARAM>(hwnd));
}

// Replaces the selection; the change notification goes out unless nothing changed.
void ReplaceSelection(HWND hwnd, std::u32string_view insert) {
    EditState* s = InspectEdit(hwnd);
    if (!s || (s->First() == s->Last() && insert.empty())) return;
    const std::size_t first = s->First();
    s->text.replace(first, s->Last() - first, insert);
    s->anchor = s->caret = first + insert.size();
    NotifyChange(hwnd);
}

void Clear(HWND hwnd) {
    if (!ReadOnly(hwnd)) ReplaceSelection(hwnd, U"");
}

void Copy(HWND hwnd) {
    if (const EditState* s = InspectEdit(hwnd); s && s->First() != s->Last())
        World::Current().Clipboard() =
            Encode(std::u32string_view(s->text).substr(s->First(), s->Last() - s->First()));
}

void Cut(HWND hwnd) {
    if (ReadOnly(hwnd)) return;
    Copy(hwnd);
    Clear(hwnd);
}

void Paste(HWND hwnd) {
    if (!ReadOnly(hwnd)) ReplaceSelection(hwnd, Decode(World::Current().Clipboard()));
}

void SetSelection(EditState& s, std::size_t anchor, std::size_t caret) {
    s.anchor = std::min(anchor, s.text.size());
    s.caret = std::min(caret, s.text.size());
}

void MoveTo(EditState& s, std::size_t caret, bool extend) {
    SetSelection(s, extend ? s.anchor : caret, caret);
}

// Delete: the selection, else the character after the caret (before it with Shift, to the end
// with Ctrl); Shift+Delete on a selection cuts it.
void DeleteKey(HWND hwnd, bool shift, bool control) {
    EditState* s = InspectEdit(hwnd);
    if (!s || ReadOnly(hwnd) || (shift && control)) return;
    if (s->First() != s->Last()) {
        shift ? Cut(hwnd) : Clear(hwnd);
        return;
    }
    if (shift)
        MoveTo(*s, s->caret > 0 ? s->caret - 1 : 0, true);
    else if (control)
        MoveTo(*s, s->text.size(), true);
    else
        MoveTo(*s, s->caret + 1, true);
    Clear(hwnd);
}

void Key(HWND hwnd, std::int32_t key, std::int16_t shiftState) {
    EditState* s = InspectEdit(hwnd);
    if (!s) return;
    const bool shift = shiftState & vbShiftMask;
    const bool control = shiftState & vbCtrlMask;
    switch (key) {
        case vbKeyLeft:
        case vbKeyUp:
            MoveTo(*s, s->caret > 0 ? s->caret - 1 : 0, shift);
            break;
        case vbKeyRight:
        case vbKeyDown:
            MoveTo(*s, s->caret + 1, shift);
            break;
        case vbKeyHome:
            MoveTo(*s, 0, shift);
            break;
        case vbKeyEnd:
            MoveTo(*s, s->text.size(), shift);
            break;
        case vbKeyDelete:
            DeleteKey(hwnd, shift, control);
            break;
        default:
            break;
    }
}

void Backspace(HWND hwnd) {
    EditState* s = InspectEdit(hwnd);
    if (!s || ReadOnly(hwnd)) return;
    if (s->First() == s->Last()) MoveTo(*s, s->caret > 0 ? s->caret - 1 : 0, true);
    Clear(hwnd);
}

void Character(HWND hwnd, char32_t c) {
    switch (c) {
        case kBackspace:
            Backspace(hwnd);
            return;
        case kCtrlC:
            Copy(hwnd);
            return;
        case kCtrlV:
            Paste(hwnd);
            return;
        case kCtrlX:
            Cut(hwnd);
            return;
        default:
            break;
    }
    if (c < kFirstPrintable || c == kDel || ReadOnly(hwnd)) return;
    const char32_t text[] = {c, 0};
    ReplaceSelection(hwnd, text);
}

// Hands a key message to the owner first; returns the code to act on (0: ignore it).
std::int32_t AskOwner(HWND hwnd, UINT message, std::int32_t code) {
    EditKeyEvent event{message, code, World::Current().ShiftState()};
    if (const Window* w = Windows().Find(hwnd); w && w->owner)
        Windows().Send(w->owner, kSimEditKey, reinterpret_cast<WPARAM>(&event), 0);
    return event.code;
}

LRESULT KeyMessage(HWND hwnd, UINT message, WPARAM wParam) {
    const std::int32_t code = AskOwner(hwnd, message, static_cast<std::int32_t>(wParam));
    const std::int16_t shift = World::Current().ShiftState();
    if (code == 0 || (shift & vbAltMask)) return 0;
    if (message == WM_KEYDOWN) Key(hwnd, code, shift);
    if (message == WM_CHAR) Character(hwnd, static_cast<char32_t>(code));
    return 0;
}

bool IsWordChar(char32_t c) {
    return c != U' ' && c != U'\t';
}

void DoubleClick(HWND hwnd) {
    if (EditState* s = InspectEdit(hwnd)) {
        std::size_t first = std::min(s->caret, s->text.size());
        std::size_t last = first;
        while (first > 0 && IsWordChar(s->text[first - 1]))
            --first;
        while (last < s->text.size() && IsWordChar(s->text[last]))
            ++last;
        SetSelection(*s, first, last);
    }
    if (const Window* w = Windows().Find(hwnd); w && w->owner)
        Windows().Send(w->owner, kSimEditDblClick, 0, 0);
}

void Press(HWND hwnd, LPARAM lParam) {
    Windows().SetFocus(hwnd);
    EditState* s = InspectEdit(hwnd);
    if (!s) return;
    const std::vector<int> extents = TextExtents(Encode(s->text));
    std::size_t caret = 0;
    int previous = 0;
    // The caret goes before the first character whose middle lies right of the pointer.
    while (caret < extents.size() && (previous + extents[caret]) / 2 < PointX(lParam))
        previous = extents[caret++];
    SetSelection(*s, caret, caret);
}

LRESULT SetSel(EditState& s, WPARAM wParam, LPARAM lParam) {
    const auto start = static_cast<std::int32_t>(wParam);
    const auto end = static_cast<std::int32_t>(lParam);
    const std::size_t length = s.text.size();
    auto position = [&](std::int32_t v) {
        return v < 0 ? length : std::min(static_cast<std::size_t>(v), length);
    };
    if (start == -1)
        s.anchor = s.caret;
    else
        SetSelection(s, position(start), position(end));
    return 1;
}

LRESULT GetSel(const EditState& s, WPARAM wParam, LPARAM lParam) {
    const auto first = static_cast<DWORD>(s.First());
    const auto last = static_cast<DWORD>(s.Last());
    if (wParam) *reinterpret_cast<DWORD*>(wParam) = first;
    if (lParam) *reinterpret_cast<DWORD*>(lParam) = last;
    return static_cast<LRESULT>(std::min<DWORD>(first, 0xFFFF) |
                                (std::min<DWORD>(last, 0xFFFF) << 16));
}

LRESULT SetText(HWND hwnd, EditState& s, LPARAM lParam) {
    s.text = Decode(lParam ? reinterpret_cast<const char*>(lParam) : "");
    s.anchor = s.caret = 0;
    NotifyChange(hwnd);
    return 1;
}

LRESULT SetReadOnly(HWND hwnd, WPARAM wParam) {
    if (Window* w = Windows().Find(hwnd))
        w->style = wParam ? (w->style | ES_READONLY) : (w->style & ~ES_READONLY);
    return 1;
}

LRESULT StateMessages(HWND hwnd, EditState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETTEXT:
            return SetText(hwnd, s, lParam);
        case WM_GETTEXT:
            return CopyTextToBuffer(Encode(s.text), wParam, lParam);
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(Encode(s.text).size());
        case EM_SETSEL:
            return SetSel(s, wParam, lParam);
        case EM_GETSEL:
            return GetSel(s, wParam, lParam);
        default:
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

EditState* InspectEdit(HWND hwnd) {
    World* world = World::TryCurrent();
    Window* w = world ? world->Windows().Find(hwnd) : nullptr;
    ClassState* state = w ? w->state.get() : nullptr;
    return state && state->ClassKind() == ClassState::Kind::Edit ? static_cast<EditState*>(state)
                                                                 : nullptr;
}

std::string EditText(HWND hwnd) {
    const EditState* s = InspectEdit(hwnd);
    return s ? Encode(s->text) : std::string();
}

LRESULT EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            Windows().Find(hwnd)->state = std::make_unique<EditState>();
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_CHAR:
        case WM_KEYUP:
        case WM_SYSKEYUP:
            return KeyMessage(hwnd, message, wParam);
        case WM_LBUTTONDOWN:
            Press(hwnd, lParam);
            return 0;
        case WM_LBUTTONDBLCLK:
            DoubleClick(hwnd);
            return 0;
        case WM_KILLFOCUS:
            if (const Window* w = Windows().Find(hwnd); w && w->owner)
                Windows().Send(w->owner, kSimChildFocusLost, wParam, 0);
            return 0;
        case EM_SETREADONLY:
            return SetReadOnly(hwnd, wParam);
        case WM_CUT:
            Cut(hwnd);
            return 0;
        case WM_COPY:
            Copy(hwnd);
            return 0;
        case WM_PASTE:
            Paste(hwnd);
            return 0;
        case WM_CLEAR:
            Clear(hwnd);
            return 0;
        default:
            break;
    }
    EditState* s = InspectEdit(hwnd);
    return s ? StateMessages(hwnd, *s, message, wParam, lParam)
             : DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace cp::sim
