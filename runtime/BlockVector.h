// A sequence kept in blocks of a fixed number of elements. Growing it never moves what it
// already holds, where a vector moves every element each time it outgrows its room: a table
// that the host fills a row at a time costs the same per row at any size. Random access costs
// one more indirection than a vector's.
#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace cp {

// Blocks of 2^Shift elements, allocated by Alloc.
template <class T, std::size_t Shift = 12, class Alloc = std::allocator<T>>
class BlockVector {
public:
    static constexpr std::size_t kBlockShift = Shift;
    static constexpr std::size_t kBlockSize = std::size_t{1} << kBlockShift;

    template <bool Const>
    class Iterator;
    using iterator = Iterator<false>;
    using const_iterator = Iterator<true>;

    BlockVector() = default;
    explicit BlockVector(std::size_t count) { resize(count); }
    BlockVector(const BlockVector&) = default;
    BlockVector& operator=(const BlockVector&) = default;
    // What is moved from is left empty, its count included.
    BlockVector(BlockVector&& other) noexcept
        : blocks_(std::move(other.blocks_)), size_(std::exchange(other.size_, 0)) {}
    BlockVector& operator=(BlockVector&& other) noexcept {
        blocks_ = std::move(other.blocks_);
        size_ = std::exchange(other.size_, 0);
        return *this;
    }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    T& operator[](std::size_t i) { return blocks_[i >> kBlockShift][i & kMask]; }
    const T& operator[](std::size_t i) const { return blocks_[i >> kBlockShift][i & kMask]; }

    template <class... Args>
    T& emplace_back(Args&&... args) {
        // Every block but the last is full, so at a block boundary the last has no room, or none
        // reserved yet.
        if ((size_ & kMask) == 0 || blocks_.back().size() == blocks_.back().capacity()) MakeRoom();
        T& added = blocks_.back().emplace_back(std::forward<Args>(args)...);
        ++size_;
        return added;
    }
    // Shortens, or lengthens with value-initialised elements; a failure leaves it as it was.
    void resize(std::size_t count);

    iterator begin() { return {this, 0}; }
    iterator end() { return {this, size_}; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size_}; }

private:
    static constexpr std::size_t kMask = kBlockSize - 1;
    static constexpr std::size_t kFirstRoom = 8;

    void MakeRoom();
    void Reshape(std::size_t count);

    // Every block but the last holds exactly kBlockSize elements; the last holds the rest, and
    // is empty only when an append failed.
    std::vector<std::vector<T, Alloc>> blocks_;
    std::size_t size_ = 0;
};

// A position in a BlockVector, by index: enough for range loops, std::move and std::copy over
// it, and for begin() + n.
template <class T, std::size_t Shift, class Alloc>
template <bool Const>
class BlockVector<T, Shift, Alloc>::Iterator {
    using Owner = std::conditional_t<Const, const BlockVector, BlockVector>;

public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = T;
    using difference_type = std::ptrdiff_t;
    using pointer = std::conditional_t<Const, const T*, T*>;
    using reference = std::conditional_t<Const, const T&, T&>;

    Iterator() = default;
    Iterator(Owner* owner, std::size_t index) : owner_(owner), index_(index) {}

    reference operator*() const { return (*owner_)[index_]; }
    pointer operator->() const { return &(*owner_)[index_]; }
    Iterator& operator++() {
        ++index_;
        return *this;
    }
    Iterator operator++(int) { return std::exchange(*this, *this + 1); }
    friend Iterator operator+(Iterator it, difference_type n) {
        it.index_ = static_cast<std::size_t>(static_cast<difference_type>(it.index_) + n);
        return it;
    }
    friend bool operator==(const Iterator& a, const Iterator& b) { return a.index_ == b.index_; }

private:
    Owner* owner_ = nullptr;
    std::size_t index_ = 0;
};

template <class T, std::size_t Shift, class Alloc>
void BlockVector<T, Shift, Alloc>::resize(std::size_t count) {
    const std::size_t before = size_;
    try {
        Reshape(count);
    } catch (...) {
        Reshape(before);  // back to the old count, which allocates nothing
        throw;
    }
}

template <class T, std::size_t Shift, class Alloc>
void BlockVector<T, Shift, Alloc>::Reshape(std::size_t count) {
    const std::size_t blocks = (count + kMask) >> kBlockShift;
    const std::size_t kept = std::min(blocks_.size(), blocks);
    blocks_.resize(blocks);
    // The last block kept and every new one are made to measure: only a block that elements
    // are appended to reserves room for a full one.
    for (std::size_t b = kept == 0 ? 0 : kept - 1; b < blocks; ++b)
        blocks_[b].resize(std::min(kBlockSize, count - (b << kBlockShift)));
    size_ = count;
}

template <class T, std::size_t Shift, class Alloc>
void BlockVector<T, Shift, Alloc>::MakeRoom() {
    // The last block may be empty: an element whose construction failed leaves it so.
    if (blocks_.empty() || blocks_.back().size() == kBlockSize) {
        // A small sequence starts small; once a table spans blocks it grows a whole one at a time.
        std::vector<T, Alloc> block;
        block.reserve(blocks_.empty() ? kFirstRoom : kBlockSize);
        blocks_.push_back(std::move(block));
        return;
    }
    // Only a block below full size ever moves its elements, and only within itself.
    std::vector<T, Alloc>& last = blocks_.back();
    last.reserve(std::clamp(2 * last.size(), kFirstRoom, kBlockSize));
}

}  // namespace cp
