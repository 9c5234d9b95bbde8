// The driver manager's wide characters are UTF-16 units on both platforms, though not of the
// same C++ type as char16_t, so they are copied over unit by unit.
#include <algorithm>

#include "data/odbc/OdbcApi.h"
#include "runtime/Utf8.h"

namespace cp::odbc {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "the driver manager speaks UTF-16");

WideString Wide(std::string_view text) {
    const std::u16string units = utf8::ToUtf16(text);
    WideString wide(units.size(), 0);
    std::transform(units.begin(), units.end(), wide.begin(),
                   [](char16_t u) { return static_cast<SQLWCHAR>(u); });
    return wide;
}

std::string Narrow(WideView text) {
    std::u16string units(text.size(), u'\0');
    std::transform(text.begin(), text.end(), units.begin(),
                   [](SQLWCHAR u) { return static_cast<char16_t>(u); });
    return utf8::FromUtf16(units);
}

}  // namespace cp::odbc
