// The US keyboard layout the simulated user types on.
#pragma once

#include <cstdint>
#include <optional>

namespace cp::sim {

struct KeyStroke {
    std::int16_t keyCode = 0;  // virtual-key code
    std::int16_t shift = 0;    // vbShiftMask when the character needs Shift
};

// The key that types a character; characters the layout has no key for come as VK_PACKET.
// Line breaks type Enter, and Tab, Backspace and Escape their keys.
KeyStroke KeyForChar(char32_t c);
// The character a key makes with a shift state: letters, digits, punctuation, space, Enter
// (13; Ctrl+Enter 10), Backspace (8; Ctrl+Backspace 127), Escape (27), Tab (9); Ctrl with a
// letter makes its control character (Ctrl+A = 1). Nothing while Alt is held.
std::optional<char32_t> CharForKey(std::int16_t keyCode, std::int16_t shift);

}  // namespace cp::sim
