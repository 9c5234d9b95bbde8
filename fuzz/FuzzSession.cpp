#include "fuzz/FuzzSession.h"

#include <utility>

#include "fuzz/SearchCheck.h"

namespace cp::fuzz {

Session::Session(SessionOptions options) : SimControl(std::move(options)) {
    IndexEveryTable(*this);
}

}  // namespace cp::fuzz
