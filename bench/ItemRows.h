// The item string of the fill benchmarks, and the bare split that AddList is held against.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cp::bench {

// rows rows of three fields: "Name i;i;Xk".
inline std::string ItemRows(int rows) {
    std::string s;
    s.reserve(static_cast<std::size_t>(rows) * 24);
    for (int i = 0; i < rows; ++i) {
        if (i) s += ';';
        s += "Name " + std::to_string(i) + ";" + std::to_string(i) + ";X" + std::to_string(i % 97);
    }
    return s;
}

// The fields of items as views, split with the standard library alone.
inline std::vector<std::string_view> BareSplit(const std::string& items) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t end; (end = items.find(';', start)) != std::string::npos; start = end + 1)
        fields.push_back(std::string_view(items).substr(start, end - start));
    fields.push_back(std::string_view(items).substr(start));
    return fields;
}

}  // namespace cp::bench
