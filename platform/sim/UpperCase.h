// Upper case as the simulated locale forms it, character by character (code points):
// - ASCII a-z;
// - Latin-1: à-þ except ÷ (to À-Þ), and ÿ to Ÿ; ß and µ stay;
// - Latin Extended-A (U+0100-U+017F): each small letter to its capital (ı to I, ſ to S);
// - Greek: α-ω (ς to Σ) and the accented small letters ά έ ή ί ό ύ ώ, ϊ ϋ;
// - Cyrillic: а-я, ѐ-џ and the paired letters of U+0460-U+04FF.
// Everything else stays as it is.
#pragma once

#include <string>
#include <string_view>

namespace cp::sim {

char32_t UpperCaseChar(char32_t c);
std::string UpperCase(std::string_view utf8);

}  // namespace cp::sim
