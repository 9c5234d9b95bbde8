#include "sample/Screenshot.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace cp::sample {
namespace {

constexpr int kMargin = 8;
constexpr WORD kBitsPerPixel = 24;
constexpr WORD kBmpSignature = 0x4D42;  // "BM"

int RowBytes(int width) {
    // BMP rows are padded to whole 32-bit words.
    return (width * 3 + 3) & ~3;
}

bool WriteBmp(const std::string& path, int width, int height, const std::vector<BYTE>& bits) {
    ::BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;  // bottom-up, as GetDIBits gives them
    info.biPlanes = 1;
    info.biBitCount = kBitsPerPixel;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(bits.size());
    ::BITMAPFILEHEADER file{};
    file.bfType = kBmpSignature;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;

    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return false;
    const bool ok = std::fwrite(&file, sizeof(file), 1, out) == 1 &&
                    std::fwrite(&info, sizeof(info), 1, out) == 1 &&
                    std::fwrite(bits.data(), 1, bits.size(), out) == bits.size();
    return std::fclose(out) == 0 && ok;
}

}  // namespace

::RECT AreaAround(HWND form, std::initializer_list<HWND> extra) {
    ::RECT area{};
    ::GetWindowRect(form, &area);
    for (HWND window : extra) {
        ::RECT r{};
        if (window == nullptr || !::IsWindowVisible(window) || !::GetWindowRect(window, &r)) {
            continue;
        }
        ::UnionRect(&area, &area, &r);
    }
    ::InflateRect(&area, kMargin, kMargin);
    area.left = std::max<::LONG>(area.left, 0);
    area.top = std::max<::LONG>(area.top, 0);
    area.right = std::min(area.right, static_cast<::LONG>(::GetSystemMetrics(SM_CXSCREEN)));
    area.bottom = std::min(area.bottom, static_cast<::LONG>(::GetSystemMetrics(SM_CYSCREEN)));
    return area;
}

bool SaveScreenArea(const ::RECT& area, const std::string& path) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    ::SelectObject(memory, previous);

    ::BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = kBitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<BYTE> bits(static_cast<std::size_t>(RowBytes(width)) * height);
    const int rows = ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), bits.data(), &info,
                                 DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return rows == height && WriteBmp(path, width, height, bits);
}

}  // namespace cp::sample
