// The component's bitmaps are generated from their pixel tables at build time: the Win32 .bmp
// files and the simulated host's table must both give back exactly the pixels of the tables.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/sim/Resources.h"

namespace cp::test {
namespace {

struct Table {
    int resource = 0;
    int bits = 0;
    std::map<char, COLORREF> colours;
    std::vector<std::string> rows;

    std::vector<COLORREF> Pixels() const {
        std::vector<COLORREF> pixels;
        for (const std::string& row : rows)
            for (char letter : row)
                pixels.push_back(colours.at(letter));
        return pixels;
    }
};

Table ReadTable(const std::string& name) {
    std::ifstream in(std::string(CP_RESOURCE_SOURCE_DIR) + "/" + name + ".txt");
    EXPECT_TRUE(in) << name;
    Table table;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string word;
        if (!(words >> word) || word[0] == '#' || word == "name") continue;
        if (word == "resource") {
            words >> table.resource;
        } else if (word == "bits") {
            words >> table.bits;
        } else if (word == "colour") {
            std::string letter, value;
            words >> letter >> value;  // &HBBGGRR
            table.colours[letter[0]] =
                static_cast<COLORREF>(std::stoul(value.substr(2), nullptr, 16));
        } else {
            table.rows.push_back(word);
        }
    }
    return table;
}

std::uint32_t Le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | b.at(at + static_cast<std::size_t>(i));
    return value;
}

struct Decoded {
    int width = 0;
    int height = 0;
    int bits = 0;
    std::vector<COLORREF> pixels;  // from the top row, &HBBGGRR
};

// Reads an uncompressed, bottom-up 4- or 24-bit .bmp file.
Decoded DecodeBmp(const std::string& name) {
    std::ifstream in(std::string(CP_RESOURCE_BINARY_DIR) + "/" + name + ".bmp", std::ios::binary);
    const std::vector<std::uint8_t> b{std::istreambuf_iterator<char>(in), {}};
    Decoded d;
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') {
        ADD_FAILURE() << name << ".bmp is not a bitmap file";
        return d;
    }
    EXPECT_EQ(Le(b, 2, 4), b.size());
    const std::uint32_t offset = Le(b, 10, 4);
    EXPECT_EQ(Le(b, 14, 4), 40u);  // BITMAPINFOHEADER
    d.width = static_cast<int>(Le(b, 18, 4));
    d.height = static_cast<int>(Le(b, 22, 4));
    d.bits = static_cast<int>(Le(b, 28, 2));
    EXPECT_EQ(Le(b, 30, 4), 0u);  // BI_RGB
    const std::size_t stride = ((static_cast<std::size_t>(d.width) * d.bits + 31) / 32) * 4;
    for (int y = 0; y < d.height; ++y) {
        const std::size_t row = offset + stride * static_cast<std::size_t>(d.height - 1 - y);
        for (int x = 0; x < d.width; ++x) {
            if (d.bits == 24) {
                const std::size_t at = row + static_cast<std::size_t>(x) * 3;
                d.pixels.push_back((b.at(at) << 16) | (b.at(at + 1) << 8) | b.at(at + 2));
            } else {
                const std::uint8_t pair = b.at(row + static_cast<std::size_t>(x) / 2);
                const std::uint32_t index = x % 2 ? pair & 0x0F : pair >> 4;
                const std::size_t entry = 54 + index * 4;  // blue, green, red, 0
                d.pixels.push_back((b.at(entry) << 16) | (b.at(entry + 1) << 8) | b.at(entry + 2));
            }
        }
    }
    return d;
}

TEST(ComponentBitmaps, GeneratedFilesGiveBackThePixelTables) {
    for (const std::string name : {"arrow", "toolbox"}) {
        const Table table = ReadTable(name);
        const Decoded bmp = DecodeBmp(name);
        EXPECT_EQ(bmp.bits, table.bits) << name;
        EXPECT_EQ(bmp.width, static_cast<int>(table.rows.at(0).size())) << name;
        EXPECT_EQ(bmp.height, static_cast<int>(table.rows.size())) << name;
        EXPECT_EQ(bmp.pixels, table.Pixels()) << name;

        const sim::ResourceBitmap* loaded = sim::FindResourceBitmap(table.resource);
        ASSERT_NE(loaded, nullptr) << name;
        EXPECT_EQ(loaded->width, bmp.width) << name;
        EXPECT_EQ(loaded->height, bmp.height) << name;
        EXPECT_EQ(loaded->pixels, table.Pixels()) << name;
    }
    EXPECT_EQ(sim::FindResourceBitmap(11), nullptr);
}

}  // namespace
}  // namespace cp::test
