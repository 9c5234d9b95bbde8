// The ColumnPick sample: a form with three ColumnPick controls filled with ISO countries,
// currencies and languages.
//
//   cp_sample.exe                 opens the form for a person to use
//   cp_sample.exe --demo <dir>    plays a short session by itself, writing a screenshot of
//                                 every step (BMP) and the events (events.log) into <dir>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "control/Startup.h"
#include "sample/DemoSession.h"
#include "sample/EventLog.h"
#include "sample/SampleForm.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: cp_sample [--demo <output folder>]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string demoDir;
    if (argc == 3 && std::strcmp(argv[1], "--demo") == 0) {
        demoDir = argv[2];
    } else if (argc != 1) {
        return Usage();
    }

    cp::ComponentStart();
    cp::sample::EventLog log;
    std::error_code ignored;
    if (!demoDir.empty()) std::filesystem::create_directories(demoDir, ignored);
    if (!demoDir.empty() && !log.WriteTo(demoDir + "/events.log")) {
        std::fprintf(stderr, "cp_sample: cannot write into %s\n", demoDir.c_str());
        return 1;
    }
    cp::sample::SampleForm form(log);
    if (demoDir.empty()) {
        form.Run();
        return 0;
    }
    cp::sample::DemoSession session(form, log, demoDir);
    return session.Run();
}
