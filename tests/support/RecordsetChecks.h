// What the tests of the database layers check recordsets with.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "runtime/RuntimeError.h"
#include "runtime/Variant.h"

namespace cp::test {

// The error that call raised; the test fails when it raised none.
inline RuntimeError FailureOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const RuntimeError& e) {
        return e;
    }
    ADD_FAILURE() << "no run-time error was raised";
    return RuntimeError(0, "");
}

// The (field, row) block that GetRows answered; an empty array, and a failure, for anything
// else.
inline const VariantArray& Block(const Variant& rows) {
    static const VariantArray none;
    EXPECT_TRUE(rows.IsArray() && rows.Array());
    return rows.IsArray() && rows.Array() ? *rows.Array() : none;
}

}  // namespace cp::test
