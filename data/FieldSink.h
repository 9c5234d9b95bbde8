// Where a recordset hands its rows when they are read rather than handed out as an array: every
// field of every row in (field, row) order, each as the value GetRows would have given it. A
// fill writes them straight into its own cells, without a Variant per field between.
#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/Variant.h"

namespace cp {

class FieldSink {
public:
    virtual ~FieldSink() = default;
    // Called once before the first field, with the fields of every row and the rows to come.
    virtual void Start(std::int32_t fields, std::int32_t rows) = 0;
    virtual void Null() = 0;
    virtual void Boolean(bool value) = 0;
    virtual void Integer(std::int16_t value) = 0;
    virtual void Long(std::int32_t value) = 0;
    virtual void Single(float value) = 0;
    virtual void Double(double value) = 0;
    virtual void Date(double serial) = 0;
    virtual void Text(std::string_view text) = 0;
    // Any value, of any kind: a host's recordset hands its values so, objects, arrays, Empty
    // and Currency among them.
    virtual void Value(const Variant& value) = 0;
};

}  // namespace cp
