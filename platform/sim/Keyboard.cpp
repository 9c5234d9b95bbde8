#include "platform/sim/Keyboard.h"

#include <string_view>

#include "platform/basApi.h"
#include "platform/sim/SimConstants.h"

namespace cp::sim {
namespace {

constexpr char32_t kCtrlEnter = 10;
constexpr char32_t kCtrlBackspace = 127;

// Punctuation keys of the US layout: the key, its character, its character with Shift.
struct Punctuation {
    std::int16_t keyCode;
    char32_t plain;
    char32_t shifted;
};
constexpr Punctuation kPunctuation[] = {
    {0xBA, U';', U':'},  {0xBB, U'=', U'+'}, {0xBC, U',', U'<'},  {0xBD, U'-', U'_'},
    {0xBE, U'.', U'>'},  {0xBF, U'/', U'?'}, {0xC0, U'`', U'~'},  {0xDB, U'[', U'{'},
    {0xDC, U'\\', U'|'}, {0xDD, U']', U'}'}, {0xDE, U'\'', U'"'},
};
constexpr std::u32string_view kShiftedDigits = U")!@#$%^&*(";

std::optional<KeyStroke> ControlKey(char32_t c) {
    switch (c) {
        case U'\r':
        case U'\n':
            return KeyStroke{vbKeyReturn, 0};
        case U'\t':
            return KeyStroke{VK_TAB, 0};
        case U'\b':
            return KeyStroke{vbKeyBack, 0};
        case 27:
            return KeyStroke{vbKeyEscape, 0};
        case U' ':
            return KeyStroke{VK_SPACE, 0};
        default:
            return std::nullopt;
    }
}

std::optional<char32_t> SpecialChar(std::int16_t keyCode, bool control) {
    switch (keyCode) {
        case vbKeyReturn:
            return control ? kCtrlEnter : U'\r';
        case vbKeyBack:
            return control ? kCtrlBackspace : U'\b';
        case vbKeyEscape:
            return char32_t{27};
        case VK_TAB:
            return control ? std::nullopt : std::optional<char32_t>(U'\t');
        case VK_SPACE:
            return U' ';
        default:
            return std::nullopt;
    }
}

}  // namespace

KeyStroke KeyForChar(char32_t c) {
    if (const auto key = ControlKey(c)) return *key;
    if (c >= U'a' && c <= U'z') return KeyStroke{static_cast<std::int16_t>(c - 0x20), 0};
    if (c >= U'A' && c <= U'Z') return KeyStroke{static_cast<std::int16_t>(c), vbShiftMask};
    if (c >= U'0' && c <= U'9') return KeyStroke{static_cast<std::int16_t>(c), 0};
    if (const auto digit = kShiftedDigits.find(c); digit != std::u32string_view::npos)
        return KeyStroke{static_cast<std::int16_t>(U'0' + digit), vbShiftMask};
    for (const Punctuation& p : kPunctuation) {
        if (p.plain == c) return KeyStroke{p.keyCode, 0};
        if (p.shifted == c) return KeyStroke{p.keyCode, vbShiftMask};
    }
    return KeyStroke{VK_PACKET, 0};
}

std::optional<char32_t> CharForKey(std::int16_t keyCode, std::int16_t shift) {
    if (shift & vbAltMask) return std::nullopt;
    const bool control = shift & vbCtrlMask;
    const bool shifted = shift & vbShiftMask;
    if (const auto special = SpecialChar(keyCode, control)) return special;
    if (keyCode >= 'A' && keyCode <= 'Z') {
        if (control) return static_cast<char32_t>(keyCode - 'A' + 1);
        return static_cast<char32_t>(shifted ? keyCode : keyCode + 0x20);
    }
    if (control) return std::nullopt;
    if (keyCode >= '0' && keyCode <= '9')
        return shifted ? kShiftedDigits[static_cast<std::size_t>(keyCode - '0')]
                       : static_cast<char32_t>(keyCode);
    for (const Punctuation& p : kPunctuation)
        if (p.keyCode == keyCode) return shifted ? p.shifted : p.plain;
    return std::nullopt;
}

}  // namespace cp::sim
