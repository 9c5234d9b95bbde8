// How a host asks for a part of a window to be painted again.
#pragma once

namespace cp {

// Whether the part is erased to the window's background before it is painted.
enum class Erase { None, Background };

}  // namespace cp
