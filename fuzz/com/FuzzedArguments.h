// Arguments of every kind that a host may pass to Invoke, and some that no host should: each
// automation type by value and by reference (to storage of the block's own, or to nothing),
// numbers at their edges, texts with separators and NUL characters, arrays of Variants and of
// other types (and arrays whose type is not what the VARIANT says), objects with and without
// IDispatch, missing arguments and types that do not exist. The VARIANTs of a block end where
// the process may not read, so that a callee that reads past what it was given stops the run.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "fuzz/com/HostObjects.h"

namespace cp::fuzz {

// What a block may hold besides values: the host's objects, and the control itself.
struct ObjectPool {
    HostileObject* hostile;
    PlainObject* plain;
    IDispatch* control;  // nullptr while there is none
};

// Memory whose end is followed by a page that may not be read or written.
class GuardedMemory {
public:
    GuardedMemory();
    ~GuardedMemory();
    GuardedMemory(const GuardedMemory&) = delete;
    GuardedMemory& operator=(const GuardedMemory&) = delete;
    // `count` items of type T that end at the guard page.
    template <class T>
    T* Last(std::size_t count) {
        return reinterpret_cast<T*>(end_) - count;
    }

private:
    unsigned char* base_ = nullptr;
    unsigned char* end_ = nullptr;
};

class ArgumentBlock {
public:
    ArgumentBlock(Random& random, unsigned count, const ObjectPool& pool);
    ~ArgumentBlock();
    ArgumentBlock(const ArgumentBlock&) = delete;
    ArgumentBlock& operator=(const ArgumentBlock&) = delete;

    // The arguments, last to first as Invoke takes them.
    VARIANT* Arguments() { return arguments_; }
    unsigned Count() const { return count_; }
    // The callee left the arguments as they were passed.
    bool Unchanged() const;
    // The arguments' types, for a finding's report.
    std::string Describe() const;

private:
    void Fill(Random& random, VARIANT& v, const ObjectPool& pool);
    void FillByReference(Random& random, VARIANT& v, const ObjectPool& pool);

    GuardedMemory memory_;
    VARIANT* arguments_;
    unsigned count_;
    std::deque<VARIANT> targets_;  // what by-reference arguments point to
    std::vector<unsigned char> asPassed_;
};

// A value as a host's object answers it: a number, a text, Null, a date...
void FillHostValue(Random& random, VARIANT& v);
// An array as a host's recordset answers GetRows: mostly two dimensions of Variants.
void FillHostArray(Random& random, VARIANT& v);

}  // namespace cp::fuzz
