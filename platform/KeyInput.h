// Keys as every host hands them to the control's key notifications.
#pragma once

#include <cstdint>

namespace cp {

// KeyAscii is 16-bit: a character beyond that range is handed to KeyPress once, as "?".
inline constexpr std::int16_t kKeyAsciiBeyond16Bits = '?';
inline constexpr char32_t kLast16BitCharacter = 0xFFFF;

inline std::int16_t KeyAsciiOf(char32_t character) {
    return character > kLast16BitCharacter
               ? kKeyAsciiBeyond16Bits
               : static_cast<std::int16_t>(static_cast<std::uint16_t>(character));
}

// What the edit field does with a key after the handler had its by-reference argument: a code
// handed back as 0 is not processed; another value is processed in place of the original.
enum class KeyAnswer { Swallow, Keep, Replace };

inline KeyAnswer KeyAnswerOf(std::int16_t handedOver, std::int16_t handedBack) {
    if (handedBack == 0) return KeyAnswer::Swallow;
    return handedBack == handedOver ? KeyAnswer::Keep : KeyAnswer::Replace;
}

}  // namespace cp
