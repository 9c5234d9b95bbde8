// The locale facts that the runtime's conversions and comparisons follow: the decimal
// separator of the text form of numbers, and the upper case of a character. The platform hands
// them over at start-up and again whenever the host reports a new locale; until then the
// runtime answers with "." and the upper case of ASCII letters. Like every module-level state
// of the control, the facts exist once per user-interface thread: they are set and read on the
// thread whose controls follow them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cp {

struct LocaleFacts {
    std::string decimalSeparator = ".";
    // The upper case of one character, as a simple mapping that keeps the number of
    // characters; nullptr: ASCII letters only.
    char32_t (*upperCase)(char32_t) = nullptr;
};

// Takes the platform's facts; every later conversion and comparison on this thread follows
// them.
void SetLocale(LocaleFacts facts);
// This thread's facts as they stand.
const LocaleFacts& CurrentLocale();
// Counts the changes of this thread's facts, so that whatever was built from them (a
// case-folded index, say) can tell that it is out of date.
std::uint64_t LocaleGeneration();

const std::string& DecimalSeparator();
char32_t UpperCaseChar(char32_t c);
std::string UpperCase(std::string_view text);

}  // namespace cp
