// Large result blocks are written once, front to back, right after they are allocated. Backed
// by huge pages they cost a fraction of what faulting them in 4 KB at a time does, which for a
// big fill is more than reading the rows from the file.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>

namespace cp::rows {

struct FreeBytes {
    void operator()(char* bytes) const { std::free(bytes); }
};
using ByteBlock = std::unique_ptr<char[], FreeBytes>;

// An uninitialised block of at least `bytes` bytes; a large one is rounded up to whole huge
// pages, aligned to one and advised, and `bytes` tells its real size.
ByteBlock AllocateBytes(std::size_t& bytes);

}  // namespace cp::rows
