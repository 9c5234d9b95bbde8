// The ODBC declarations. Windows' headers need the system's types first; unixODBC's bring their
// own. Everything else in the ODBC engine is the same on both platforms.
#pragma once

#ifdef _WIN32
#include <windows.h>
#endif

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

#include <string>
#include <string_view>

namespace cp::odbc {

using WideString = std::basic_string<SQLWCHAR>;
using WideView = std::basic_string_view<SQLWCHAR>;

// UTF-8 to the driver manager's UTF-16 and back; malformed input becomes U+FFFD.
WideString Wide(std::string_view text);
std::string Narrow(WideView text);

}  // namespace cp::odbc
