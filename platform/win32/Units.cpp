#include "platform/win32/Units.h"

#include "platform/win32/WindowsApi.h"

namespace cp::win32 {
namespace {

constexpr std::uint32_t kSystemColourFlag = 0x80000000;
constexpr std::uint32_t kSystemColourIndex = 0xFF;
constexpr std::uint32_t kRgbMask = 0x00FFFFFF;

}  // namespace

COLORREF ColorFromOle(OLE_COLOR color) {
    const auto bits = static_cast<std::uint32_t>(color);
    if (bits & kSystemColourFlag) return ::GetSysColor(static_cast<int>(bits & kSystemColourIndex));
    return bits & kRgbMask;
}

}  // namespace cp::win32
