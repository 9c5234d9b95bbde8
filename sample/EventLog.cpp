#include "sample/EventLog.h"

namespace cp::sample {

EventLog::~EventLog() {
    if (file_ != nullptr) std::fclose(file_);
}

bool EventLog::WriteTo(const std::string& path) {
    if (file_ != nullptr) std::fclose(file_);
    file_ = std::fopen(path.c_str(), "wb");
    return file_ != nullptr;
}

void EventLog::Add(const std::string& line) {
    lines_.push_back(line);
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    if (file_ != nullptr) {
        std::fprintf(file_, "%s\n", line.c_str());
        std::fflush(file_);
    }
}

}  // namespace cp::sample
