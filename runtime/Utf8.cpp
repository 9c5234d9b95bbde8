#include "runtime/Utf8.h"

namespace cp::utf8 {
namespace {

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// The length of the sequence that starts with lead byte c, 1 for a malformed one.
std::size_t SequenceLength(unsigned char c) {
    if (c < 0x80) return 1;
    if ((c & 0xE0) == 0xC0) return 2;
    if ((c & 0xF0) == 0xE0) return 3;
    if ((c & 0xF8) == 0xF0) return 4;
    return 1;
}

}  // namespace

char32_t Next(std::string_view text, std::size_t& offset) {
    const auto lead = static_cast<unsigned char>(text[offset]);
    const std::size_t n = SequenceLength(lead);
    if (n == 1 || offset + n > text.size()) {
        ++offset;
        return lead < 0x80 ? char32_t(lead) : char32_t(0xFFFD);
    }
    char32_t c = lead & (0xFF >> (n + 1));
    for (std::size_t i = 1; i < n; ++i) {
        const auto b = static_cast<unsigned char>(text[offset + i]);
        if (!IsContinuation(b)) {
            ++offset;
            return 0xFFFD;
        }
        c = (c << 6) | (b & 0x3F);
    }
    // Only the shortest form of a Unicode scalar value is a character: overlong forms,
    // surrogates and values beyond U+10FFFF are malformed, so that every text converts to
    // UTF-16 and back unchanged and no character hides behind a second spelling.
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[n] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) {
        ++offset;
        return 0xFFFD;
    }
    offset += n;
    return c;
}

std::size_t Length(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t offset = 0; offset < text.size(); ++count)
        Next(text, offset);
    return count;
}

std::size_t OffsetOf(std::string_view text, std::size_t index) {
    std::size_t offset = 0;
    for (std::size_t i = 0; i < index && offset < text.size(); ++i)
        Next(text, offset);
    return offset;
}

std::string_view Left(std::string_view text, std::size_t count) {
    return text.substr(0, OffsetOf(text, count));
}

void Append(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::u16string ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t offset = 0; offset < text.size();) {
        char32_t c = Next(text, offset);
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 | (c >> 10));
            out += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

std::string FromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        const bool high = c >= 0xD800 && c < 0xDC00;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        Append(out, c);
    }
    return out;
}

}  // namespace cp::utf8
