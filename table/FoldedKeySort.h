// Sorting the packed keys of a whole first column, a million of them in a few tens of
// milliseconds: a radix sort on the leading bytes, most significant first, so that it stops
// wherever the keys already differ.
#pragma once

#include <vector>

#include "table/CaseFold.h"

namespace cp {

// Orders keys by (head, tail, length, row). Keys that agree in all sixteen packed bytes and
// are longer than that stay in row order, for the caller to order by their whole text.
void SortFoldedKeys(std::vector<FoldedKey>& keys);

}  // namespace cp
