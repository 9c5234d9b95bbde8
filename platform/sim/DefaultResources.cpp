// The simulator's stand-in for the component's resources; see Resources.h.
#include "platform/sim/Resources.h"

namespace cp::sim {
namespace {

constexpr int kPlaceholderWidth = 8;
constexpr int kPlaceholderHeight = 10;

}  // namespace

__attribute__((weak)) const ResourceBitmap* FindResourceBitmap(int) {
    static const ResourceBitmap placeholder{
        kPlaceholderWidth, kPlaceholderHeight,
        std::vector<COLORREF>(kPlaceholderWidth * kPlaceholderHeight, 0)};
    return &placeholder;
}

}  // namespace cp::sim
