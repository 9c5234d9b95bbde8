// What may be shown of an ODBC connection string. The string is read by ODBC's own rules:
// attributes "key=value" separated by semicolons; a value that starts with "{" right after the
// "=" (blanks aside) runs to the brace that closes it and may hold semicolons, "}}" standing for
// one "}"; a brace anywhere else is a character like any other.
#pragma once

#include <string>
#include <string_view>

namespace cp::odbc {

// The connection string without what may carry a password, which is no one's business in a
// message: every attribute with a key that names one (PWD, Password, and any key with "pwd" or
// "passw" in it, in any case and spacing), every attribute whose value holds such a key with
// an "=" (a driver's options passed on whole, or a value that a reading of the braces other
// than ODBC's would split), every attribute with a brace that never closes (it runs to the end
// of the string), and whatever is no attribute at all.
std::string WithoutPassword(std::string_view connectionString);

}  // namespace cp::odbc
