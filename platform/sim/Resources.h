// The component's bitmap resources as the simulated host loads them (LoadResPicture).
//
// The simulator's own definition of FindResourceBitmap is weak: it knows no resource and
// answers every number with an empty 8 x 10 bitmap. A table of the real bitmaps replaces it with
// an ordinary (strong) definition; that definition must sit in an object file the program links
// in anyway (a source of the program itself, or a file of a library that the program already
// draws other symbols from), because a linker takes an archive member only for a symbol that is
// still missing. A number the table does not know answers nullptr, and LoadResPicture then
// raises error 326.
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
