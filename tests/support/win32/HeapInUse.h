// Memory in use, as the process's heaps count it: the bytes of every block in use on every heap
// of the process. Long runs compare it before and after to see that nothing grows.
#pragma once

#include <cstdint>

namespace cp::test {

std::int64_t HeapBytesInUse();

}  // namespace cp::test
