#include "platform/sim/UpperCase.h"

#include "runtime/Utf8.h"

namespace cp::sim {
namespace {

bool Between(char32_t c, char32_t first, char32_t last) {
    return c >= first && c <= last;
}

// Ranges where capital and small letters alternate, the capital on the even (or odd) code.
char32_t Paired(char32_t c, bool capitalEven) {
    const bool even = c % 2 == 0;
    return even == capitalEven ? c : c - 1;
}

char32_t LatinExtendedA(char32_t c) {
    if (c == 0x0131) return U'I';
    if (c == 0x017F) return U'S';
    if (c == 0x0138 || c == 0x0149) return c;  // no capital of their own
    if (Between(c, 0x0100, 0x0137) || Between(c, 0x014A, 0x0177)) return Paired(c, true);
    if (Between(c, 0x0139, 0x0148) || Between(c, 0x0179, 0x017E)) return Paired(c, false);
    return c;
}

char32_t Greek(char32_t c) {
    if (c == 0x03C2) return 0x03A3;  // final sigma
    if (Between(c, 0x03B1, 0x03CB)) return c - 0x20;
    switch (c) {
        case 0x03AC:
            return 0x0386;
        case 0x03AD:
            return 0x0388;
        case 0x03AE:
            return 0x0389;
        case 0x03AF:
            return 0x038A;
        case 0x03CC:
            return 0x038C;
        case 0x03CD:
            return 0x038E;
        case 0x03CE:
            return 0x038F;
        default:
            return c;
    }
}

char32_t Cyrillic(char32_t c) {
    if (Between(c, 0x0430, 0x044F)) return c - 0x20;
    if (Between(c, 0x0450, 0x045F)) return c - 0x50;
    if (c == 0x04CF) return 0x04C0;
    if (Between(c, 0x0460, 0x0481) || Between(c, 0x048A, 0x04BF) || Between(c, 0x04D0, 0x04FF))
        return Paired(c, true);
    if (Between(c, 0x04C1, 0x04CE)) return Paired(c, false);
    return c;
}

}  // namespace

char32_t UpperCaseChar(char32_t c) {
    if (Between(c, U'a', U'z')) return c - 0x20;
    if (c < 0x00E0) return c;
    if (c <= 0x00FE) return c == 0x00F7 ? c : c - 0x20;
    if (c == 0x00FF) return 0x0178;
    if (Between(c, 0x0100, 0x017F)) return LatinExtendedA(c);
    if (Between(c, 0x0370, 0x03FF)) return Greek(c);
    if (Between(c, 0x0400, 0x04FF)) return Cyrillic(c);
    return c;
}

std::string UpperCase(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t offset = 0; offset < utf8.size();) {
        const std::size_t start = offset;
        const char32_t c = utf8::Next(utf8, offset);
        const char32_t upper = UpperCaseChar(c);
        // Unchanged characters keep their bytes, malformed ones included.
        if (upper == c)
            out.append(utf8.substr(start, offset - start));
        else
            utf8::Append(out, upper);
    }
    return out;
}

}  // namespace cp::sim
