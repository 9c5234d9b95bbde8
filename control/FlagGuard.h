// Raises a flag of the state record for the length of a scope and lowers it again, so that a
// raise and its lowering can never be left unbalanced by an early return or a failure.
#pragma once

namespace cp {

class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagGuard() { flag_ = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& flag_;
};

}  // namespace cp
