// A counting allocator for the programs that report memory: operator new and delete replaced
// by malloc and free with the size kept before each block, so that the bytes live and the
// number of allocations can be read at any moment. The cell table's large blocks are aligned
// allocations, counted the same way with their size one alignment before the block.
//
// Replacements of operator new are defined once per program: include this header from one
// source file of a program only.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace cp::bench {

inline std::atomic<std::size_t> gAllocations{0};
inline std::atomic<std::size_t> gLiveBytes{0};

}  // namespace cp::bench

void* operator new(std::size_t size) {
    ++cp::bench::gAllocations;
    void* p = std::malloc(size + sizeof(std::max_align_t));
    if (!p) throw std::bad_alloc();
    *static_cast<std::size_t*>(p) = size;
    cp::bench::gLiveBytes += size;
    return static_cast<char*>(p) + sizeof(std::max_align_t);
}

void operator delete(void* p) noexcept {
    if (!p) return;
    // Through an integer: the compiler, seeing the block only from the caller's side, would
    // take the size before it for a read outside the caller's object.
    char* block =
        reinterpret_cast<char*>(reinterpret_cast<std::uintptr_t>(p) - sizeof(std::max_align_t));
    cp::bench::gLiveBytes -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}

void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

void* operator new(std::size_t size, std::align_val_t alignment) {
    const auto align = static_cast<std::size_t>(alignment);
    ++cp::bench::gAllocations;
    const std::size_t bytes = (size + 2 * align - 1) / align * align;
    auto* p = static_cast<char*>(std::aligned_alloc(align, bytes));
    if (!p) throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(p) = size;
    cp::bench::gLiveBytes += size;
    return p + align;
}

void operator delete(void* p, std::align_val_t alignment) noexcept {
    if (!p) return;
    char* block = reinterpret_cast<char*>(reinterpret_cast<std::uintptr_t>(p) -
                                          static_cast<std::size_t>(alignment));
    cp::bench::gLiveBytes -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}

void operator delete(void* p, std::size_t, std::align_val_t alignment) noexcept {
    operator delete(p, alignment);
}
