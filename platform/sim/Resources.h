// The component's bitmap resources as the simulated host loads them (LoadResPicture): a table
// generated at build time from the component's pixel tables (see cmake/resources.cmake) and
// compiled into the simulated platform. A number the table does not know answers nullptr, and
// LoadResPicture then raises error 326.
#pragma once

#include <vector>

#include "platform/basApi.h"

namespace cp::sim {

struct ResourceBitmap {
    int width = 0;                 // pixels
    int height = 0;                // pixels
    std::vector<COLORREF> pixels;  // row by row from the top, width x height values
};

const ResourceBitmap* FindResourceBitmap(int id);

}  // namespace cp::sim
