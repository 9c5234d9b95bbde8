#include "runtime/Locale.h"

#include <utility>

#include "runtime/Utf8.h"

namespace cp {
namespace {

// Each user-interface thread has the facts that its platform handed over on it: controls on two
// threads of one host never read what the other thread writes.
thread_local LocaleFacts gLocale;
thread_local std::uint64_t gGeneration = 0;

char32_t AsciiUpper(char32_t c) {
    return c >= U'a' && c <= U'z' ? c - (U'a' - U'A') : c;
}

}  // namespace

void SetLocale(LocaleFacts facts) {
    gLocale = std::move(facts);
    ++gGeneration;
}

const LocaleFacts& CurrentLocale() {
    return gLocale;
}

std::uint64_t LocaleGeneration() {
    return gGeneration;
}

const std::string& DecimalSeparator() {
    return gLocale.decimalSeparator;
}

char32_t UpperCaseChar(char32_t c) {
    return gLocale.upperCase ? gLocale.upperCase(c) : AsciiUpper(c);
}

std::string UpperCase(std::string_view text) {
    std::string upper;
    upper.reserve(text.size());
    for (std::size_t offset = 0; offset < text.size();) {
        utf8::Append(upper, UpperCaseChar(utf8::Next(text, offset)));
    }
    return upper;
}

}  // namespace cp
