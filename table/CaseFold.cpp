#include "table/CaseFold.h"

#include <algorithm>

#include "runtime/Locale.h"
#include "runtime/Utf8.h"

namespace cp {
namespace {

constexpr char32_t kOneByte = 0x80;
constexpr char32_t kTwoBytes = 0x800;
constexpr char32_t kThreeBytes = 0x10000;
constexpr char32_t kFourBytes = 0x200000;
// The lead byte of a value that no shorter form holds; its four bytes follow as they are.
constexpr unsigned char kWideLead = 0xF8;

char Byte(std::uint32_t value) {
    return static_cast<char>(static_cast<unsigned char>(value));
}

}  // namespace

CaseFold::CaseFold() {
    for (char32_t c = 0; c < ascii_.size(); ++c) {
        ascii_[c] = Encode(UpperCaseChar(c));
        single_[c] = static_cast<unsigned char>(ascii_[c].bytes[0]);
        asciiSingle_ = asciiSingle_ && ascii_[c].size == 1;
    }
    for (std::size_t i = 0; i < latin_.size(); ++i)
        latin_[i] = Encode(UpperCaseChar(static_cast<char32_t>(kAscii + i)));
}

// The UTF-8 forms, without their limits on values, so that whatever the host's upper case
// answers has bytes of its own.
CaseFold::Encoded CaseFold::Encode(char32_t c) {
    Encoded e;
    auto& b = e.bytes;
    if (c < kOneByte) {
        b[0] = Byte(c);
        e.size = 1;
    } else if (c < kTwoBytes) {
        b[0] = Byte(0xC0 | (c >> 6));
        b[1] = Byte(0x80 | (c & 0x3F));
        e.size = 2;
    } else if (c < kThreeBytes) {
        b[0] = Byte(0xE0 | (c >> 12));
        b[1] = Byte(0x80 | ((c >> 6) & 0x3F));
        b[2] = Byte(0x80 | (c & 0x3F));
        e.size = 3;
    } else if (c < kFourBytes) {
        b[0] = Byte(0xF0 | (c >> 18));
        b[1] = Byte(0x80 | ((c >> 12) & 0x3F));
        b[2] = Byte(0x80 | ((c >> 6) & 0x3F));
        b[3] = Byte(0x80 | (c & 0x3F));
        e.size = 4;
    } else {
        b[0] = Byte(kWideLead);
        for (int i = 1; i <= 4; ++i)
            b[static_cast<std::size_t>(i)] = Byte(c >> (8 * (4 - i)));
        e.size = 5;
    }
    return e;
}

CaseFold::Encoded CaseFold::Next(std::string_view text, std::size_t& offset) const {
    const auto lead = static_cast<unsigned char>(text[offset]);
    if (lead < kOneByte) {
        ++offset;
        return ascii_[lead];
    }
    // A well-formed two-byte character; anything else is decoded as the runtime decodes it.
    constexpr unsigned char kFirstTwoByteLead = 0xC2;
    constexpr unsigned char kLastTwoByteLead = 0xDF;
    if (lead >= kFirstTwoByteLead && lead <= kLastTwoByteLead && offset + 1 < text.size()) {
        const auto trail = static_cast<unsigned char>(text[offset + 1]);
        if ((trail & 0xC0) == 0x80) {
            offset += 2;
            return latin_[((lead & 0x1Fu) << 6 | (trail & 0x3Fu)) - kAscii];
        }
    }
    return Encode(UpperCaseChar(utf8::Next(text, offset)));
}

template <class Put>
void CaseFold::ForEachByte(std::string_view text, Put&& put) const {
    for (std::size_t offset = 0; offset < text.size();) {
        const Encoded e = Next(text, offset);
        for (std::uint8_t i = 0; i < e.size; ++i) {
            if (!put(e.bytes[i])) return;
        }
    }
}

void CaseFold::Append(std::string_view text, std::string& out) const {
    out.reserve(out.size() + text.size());
    for (std::size_t offset = 0; offset < text.size();) {
        const auto lead = static_cast<unsigned char>(text[offset]);
        if (lead < kAscii && asciiSingle_) {
            out += static_cast<char>(single_[lead]);
            ++offset;
            continue;
        }
        const Encoded e = Next(text, offset);
        out.append(e.bytes.data(), e.size);
    }
}

FoldedKey CaseFold::Pack(std::string_view text) const {
    // Room for the packed bytes and the whole of the character that goes beyond them.
    std::array<unsigned char, kPackedBytes + sizeof(Encoded::bytes)> folded{};
    std::size_t n = 0;
    for (std::size_t offset = 0; offset < text.size() && n <= kPackedBytes;) {
        const auto lead = static_cast<unsigned char>(text[offset]);
        if (lead < kAscii && asciiSingle_) {
            folded[n++] = single_[lead];
            ++offset;
            continue;
        }
        const Encoded e = Next(text, offset);
        std::copy_n(e.bytes.begin(), e.size, folded.begin() + static_cast<std::ptrdiff_t>(n));
        n += e.size;
    }
    FoldedKey key{};
    for (std::size_t i = 0; i < 8; ++i) {
        key.head = key.head << 8 | folded[i];
        key.tail = key.tail << 8 | folded[i + 8];
    }
    key.length = n > kPackedBytes ? kLongerThanPacked : static_cast<std::uint32_t>(n);
    return key;
}

PrefixOrder CaseFold::Order(std::string_view text, std::string_view prefix) const {
    std::size_t i = 0;
    PrefixOrder order = PrefixOrder::Within;
    ForEachByte(text, [&](char b) {
        if (i == prefix.size()) return false;
        const auto mine = static_cast<unsigned char>(b);
        const auto wanted = static_cast<unsigned char>(prefix[i]);
        if (mine != wanted) {
            order = mine < wanted ? PrefixOrder::Before : PrefixOrder::After;
            return false;
        }
        ++i;
        return true;
    });
    // A text that ends inside the prefix is the shorter, so it sorts first.
    if (order == PrefixOrder::Within && i < prefix.size()) return PrefixOrder::Before;
    return order;
}

}  // namespace cp
