#include "shell/AboutPictures.h"

#include <cstdlib>

namespace cp {
namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kGrey = 0xC0C0C0;
constexpr std::uint32_t kDarkGrey = 0x808080;
constexpr std::uint32_t kNavy = 0x000080;
constexpr std::uint32_t kPaleYellow = 0xFFFFCA;
constexpr int kRowHeight = 15;

PicturePixels Blank(int width, int height, std::uint32_t color) {
    return {width, height,
            std::vector<std::uint32_t>(static_cast<std::size_t>(width * height), color)};
}

void Fill(PicturePixels& p, int left, int top, int right, int bottom, std::uint32_t color) {
    for (int y = top; y < bottom && y < p.height; ++y) {
        for (int x = left; x < right && x < p.width; ++x) {
            p.pixels[static_cast<std::size_t>(y * p.width + x)] = color;
        }
    }
}

void Frame(PicturePixels& p, int left, int top, int right, int bottom, std::uint32_t color) {
    Fill(p, left, top, right, top + 1, color);
    Fill(p, left, bottom - 1, right, bottom, color);
    Fill(p, left, top, left + 1, bottom, color);
    Fill(p, right - 1, top, right, bottom, color);
}

// A colour between two, t of steps of the way.
std::uint32_t Blend(std::uint32_t from, std::uint32_t to, int t, int steps) {
    std::uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = static_cast<int>((from >> shift) & 0xFF);
        const int b = static_cast<int>((to >> shift) & 0xFF);
        result |= static_cast<std::uint32_t>(a + (b - a) * t / steps) << shift;
    }
    return result;
}

void Gradient(PicturePixels& p, std::uint32_t from, std::uint32_t to) {
    for (int y = 0; y < p.height; ++y)
        Fill(p, 0, y, p.width, y + 1, Blend(from, to, y, p.height));
}

// A downward arrow whose widest row is `size` pixels, its top at (cx - size / 2, top).
void Arrow(PicturePixels& p, int cx, int top, int size, std::uint32_t color) {
    for (int row = 0; row <= size / 2; ++row) {
        const int half = size / 2 - row;
        Fill(p, cx - half, top + row, cx + half + 1, top + row + 1, color);
    }
}

// Rows of a list in columns, the `selected` one highlighted.
void ListRows(PicturePixels& p, int top, int rows, int selected, const int* columns, int count) {
    for (int r = 0; r < rows; ++r) {
        const int y = top + r * kRowHeight;
        const bool on = r == selected;
        Fill(p, 1, y, p.width - 1, y + kRowHeight, on ? kNavy : kWhite);
        for (int c = 0; c < count; ++c) {
            const int x = columns[c];
            const int next = c + 1 < count ? columns[c + 1] : p.width - 1;
            // A short bar stands for each cell's text.
            Fill(p, x + 4, y + 6, x + 4 + (next - x) / 2 + (r * 7 + c * 5) % 12, y + 9,
                 on ? kWhite : kBlack);
            if (c > 0) Fill(p, x, y, x + 1, y + kRowHeight, kGrey);
        }
    }
}

}  // namespace

PicturePixels AboutBanner() {
    PicturePixels p = Blank(161, 83, kPaleYellow);
    Frame(p, 0, 0, 161, 20, kDarkGrey);
    Fill(p, 142, 1, 160, 19, kGrey);
    Arrow(p, 151, 8, 8, kBlack);
    Fill(p, 5, 8, 60, 11, kBlack);
    Frame(p, 0, 20, 161, 83, kBlack);
    const int columns[] = {1, 60, 110};
    ListRows(p, 21, 4, 1, columns, 3);
    return p;
}

PicturePixels AboutStripe() {
    PicturePixels p = Blank(161, 21, kWhite);
    for (int x = 0; x < p.width; ++x)
        Fill(p, x, 0, x + 1, p.height, Blend(kNavy, 0x00C0FF, x, p.width));
    return p;
}

PicturePixels AboutColumns() {
    PicturePixels p = Blank(161, 68, kWhite);
    Frame(p, 0, 0, 161, 68, kDarkGrey);
    const int columns[] = {1, 50, 100};
    ListRows(p, 1, 4, 2, columns, 3);
    return p;
}

PicturePixels AboutPortrait() {
    PicturePixels p = Blank(189, 203, kWhite);
    Gradient(p, 0xE0F0FF, 0x3060C0);
    Frame(p, 0, 0, 189, 203, kDarkGrey);
    Arrow(p, 94, 70, 120, kNavy);
    Arrow(p, 94, 80, 90, kWhite);
    return p;
}

}  // namespace cp
