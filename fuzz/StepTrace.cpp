#include <cstdio>
#include <cstdlib>

#include "fuzz/Outcome.h"

namespace cp::fuzz {
bool Tracing() {
    static const bool tracing = std::getenv("CP_FUZZ_TRACE") != nullptr;
    return tracing;
}

std::string Named(std::string_view step, std::string_view argument) {
    std::string name(step);
    if (!Tracing()) return name;
    name += " \"";
    for (unsigned char c : argument) {
        if (c >= ' ' && c < 0x7F) {
            name += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            name += hex;
        }
    }
    return name + "\"";
}

void Trace(Session& s, std::string_view step) {
    if (!Tracing()) return;
    const Variant items = s.control().ArrayWithItems();
    const VariantArray& table = *items.Array();
    std::fprintf(stderr, "%.*s: ListCount %d, ListIndex %d, list window %d rows, table %d x %d\n",
                 static_cast<int>(step.size()), step.data(), s.control().ListCount(),
                 s.control().ListIndex(), s.ListWindow().count,
                 table.Dimensions() > 0 ? table.Extent(0) : -1,
                 table.Dimensions() > 1 ? table.Extent(1) : -1);
    for (const auto& box : s.world().MessageBoxes())
        std::fprintf(stderr, "  box: %s\n", box.prompt.c_str());
}

}  // namespace cp::fuzz
