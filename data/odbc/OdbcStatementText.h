// Whether SQL text holds a single statement, judged without knowing the server's dialect. The
// text reaches the driver as it is, and many drivers run every statement that it holds, one
// after the other. What hides a semicolon differs between dialects (backslashes in quoted
// text, nested comments, dollar quotes, # comments, bracketed and back-quoted names), so the
// text is read in every combination of those rules: a semicolon ends the statement when any
// reading finds it outside quotes and comments.
#pragma once

#include <string_view>

namespace cp::odbc {

// True when nothing but blanks, semicolons and comments follows the first statement of sql in
// every reading.
bool HoldsOneStatement(std::string_view sql);

}  // namespace cp::odbc
