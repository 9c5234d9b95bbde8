// The events of the sample's controls, one line each, in order: printed as they come, kept
// for the form's labels, and written to a file when one is given.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace cp::sample {

class EventLog {
public:
    EventLog() = default;
    ~EventLog();
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;

    // From now on every line also goes to the file at `path`; false when it cannot be made.
    bool WriteTo(const std::string& path);
    void Add(const std::string& line);
    const std::vector<std::string>& Lines() const { return lines_; }

private:
    std::vector<std::string> lines_;  // every line so far
    std::FILE* file_ = nullptr;       // the log file, if any
};

}  // namespace cp::sample
