// Texts as the searches on the first column compare them: every character upper-cased as the
// host does it, and written as bytes such that one text begins with another exactly when the
// upper-cased characters of the one begin with those of the other. Each character takes one to
// five bytes and no character's bytes begin another's, so whole texts can be sorted and
// searched byte by byte.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace cp {

// The first sixteen folded bytes of a text, packed so that integer order is byte order, with
// the folded length; a sort by (head, tail, length) is the byte order of texts up to that long.
// A plain record, so that room for a million of them is not written before it is used.
struct FoldedKey {
    std::uint64_t head;    // folded bytes 0-7, the first in the highest byte; 0 past the end
    std::uint64_t tail;    // folded bytes 8-15, likewise
    std::uint32_t length;  // folded length in bytes, kLongerThanPacked when above 16
    std::int32_t row;      // the table row the text comes from
};

inline constexpr std::uint32_t kPackedBytes = 16;
inline constexpr std::uint32_t kLongerThanPacked = kPackedBytes + 1;

// Where a text stands beside a folded prefix in byte order.
enum class PrefixOrder {
    Before,  // sorts before every text that begins with the prefix
    Within,  // begins with the prefix
    After,   // sorts after every text that begins with the prefix
};

class CaseFold {
public:
    // Takes the host's upper case of the ASCII characters once; the rest is asked as it comes.
    CaseFold();

    // Appends the folded bytes of text to out.
    void Append(std::string_view text, std::string& out) const;
    FoldedKey Pack(std::string_view text) const;
    PrefixOrder Order(std::string_view text, std::string_view prefix) const;

private:
    // Calls put(byte) for each folded byte of text until put answers false.
    template <class Put>
    void ForEachByte(std::string_view text, Put&& put) const;

    struct Encoded {
        std::array<char, 5> bytes{};
        std::uint8_t size = 0;
    };
    static Encoded Encode(char32_t c);
    // The folded bytes of the character at offset, which moves past it.
    Encoded Next(std::string_view text, std::size_t& offset) const;

    static constexpr std::size_t kAscii = 0x80;
    static constexpr std::size_t kTwoByteCharacters = 0x800 - kAscii;

    std::array<Encoded, kAscii> ascii_{};              // the folded bytes of each ASCII character
    std::array<unsigned char, kAscii> single_{};       // the same as one byte, where all are one
    bool asciiSingle_ = true;                          // every ASCII character folds to one byte
    std::array<Encoded, kTwoByteCharacters> latin_{};  // of U+0080 to U+07FF: Latin, Greek, ...
};

}  // namespace cp
