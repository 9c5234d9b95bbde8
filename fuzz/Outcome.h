// What one step of a fuzz target may end in, and the check of what it did end in. A step is
// one thing a host or a user does to the control. Beyond not crashing, it may only raise the
// run-time errors and show the message boxes that the control names for that input; after it,
// the item table, the current row and the list window must still agree with each other.
#pragma once

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz/FuzzSession.h"
#include "runtime/RuntimeError.h"

namespace cp::fuzz {

// An error report that a step may show: its title, and the error numbers it may carry (none
// listed: any number, as for the database's own errors).
struct ReportBox {
    std::string title;
    std::vector<std::int32_t> numbers;
};

struct Outcome {
    std::vector<std::int32_t> errors;  // run-time errors that may reach the caller
    std::vector<std::string> prompts;  // usage and property-value messages, word for word
    std::vector<std::pair<std::string, std::string>> titled;  // other boxes: title, prompt
    std::vector<ReportBox> reports;                           // error reports
    std::vector<std::int32_t> hostErrors;  // errors that may escape into the host (a load)
};

// Ends the run with what went wrong; libFuzzer keeps the input that led here.
[[noreturn]] void Fail(std::string_view step, const std::string& what);

// The number of a failure's error report ("...\r\n\r\nError 9: ..."); none for another box.
std::optional<std::int32_t> ReportedNumber(std::string_view prompt);

// The checks after every step: the message boxes and escaped errors since `before`, then the
// invariants of the control's data (see CheckData).
struct Before {
    std::size_t boxes = 0;
    std::size_t hostErrors = 0;
    std::int32_t listIndex = -1;
    bool widthsShort = false;  // fewer column widths than columns
};
Before Mark(Session& s);
void CheckAfter(Session& s, std::string_view step, const Before& before, const Outcome& allowed);

// ListCount is not negative; ArrayWithItems spans at least ListCount rows; ListIndex is -1, a
// row of the table, or the stale index it already had (the fills and AddList keep it); the
// list window counts ListCount rows and selects one of them or none; Value can be read.
void CheckData(Session& s, std::string_view step, std::int32_t listIndexBefore);

// With CP_FUZZ_TRACE set in the environment, every step is printed as it ends, so that a
// finding can be read back step by step.
void Trace(Session& s, std::string_view step);
bool Tracing();
// The step's name with its argument when tracing; the name alone otherwise.
std::string Named(std::string_view step, std::string_view argument);

// Runs one step and checks it.
template <class F>
void Step(Session& s, std::string_view step, const Outcome& allowed, F&& f) {
    const Before before = Mark(s);
    try {
        f();
    } catch (const RuntimeError& e) {
        bool named = false;
        for (std::int32_t n : allowed.errors)
            named = named || n == e.Number();
        if (!named) Fail(step, "raised error " + std::to_string(e.Number()) + ": " + e.what());
    } catch (const std::exception& e) {
        Fail(step, std::string("threw a non-runtime exception: ") + e.what());
    }
    Trace(s, step);
    CheckAfter(s, step, before, allowed);
}

}  // namespace cp::fuzz
