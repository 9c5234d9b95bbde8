// What a long run watches for growth: the bytes in use on the process's heaps, the thread's
// windows (top-level ones and all their children), and the process's drawing objects.
#pragma once

#include <cstdint>
#include <string>

namespace cp::fuzz {

struct Resources {
    std::int64_t heapBytes = 0;
    int windows = 0;
    int gdiObjects = 0;
};

Resources Measure();
std::string Describe(const Resources& r);

}  // namespace cp::fuzz
