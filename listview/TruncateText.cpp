#include "listview/TruncateText.h"

#include "runtime/Utf8.h"

namespace cp {

std::string TruncateText(std::string_view strText) {
    // Walks at most 500 characters, however long the text is.
    return std::string(utf8::Left(strText, kMaxCellChars));
}

}  // namespace cp
