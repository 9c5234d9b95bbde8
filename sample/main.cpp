// The ColumnPick sample: a form with three ColumnPick controls filled with ISO countries,
// currencies and languages.
//
//   cp_sample.exe                 opens the form for a person to use
//   cp_sample.exe --demo <dir>    plays a short session by itself, writing a screenshot of
//                                 every step (BMP) and the events (events.log) into <dir>
//
// When CP_SAMPLE_SERVER holds an ODBC connection string of a reachable database with the ISO
// tables (scripts/run.sh --demo starts one), the country and currency lists come from it.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "data/odbc/OdbcDatabase.h"
#include "reports/Startup.h"
#include "runtime/RuntimeError.h"
#include "sample/DemoSession.h"
#include "sample/EventLog.h"
#include "sample/SampleForm.h"

namespace {

// The database server that the environment names, or none when it names none or it cannot be
// reached.
std::shared_ptr<cp::Database> Server() {
    const char* connection = std::getenv("CP_SAMPLE_SERVER");
    if (connection == nullptr || *connection == '\0') return nullptr;
    try {
        return cp::odbc::OdbcDatabase::Open(connection);
    } catch (const cp::RuntimeError& e) {
        std::fprintf(stderr,
                     "cp_sample: no database server (%s); the lists come from the "
                     "program itself\n",
                     e.Description().c_str());
        return nullptr;
    }
}

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
    const std::shared_ptr<cp::Database> server = Server();
    cp::sample::SampleForm form(log, server.get());
    if (demoDir.empty()) {
        form.Run();
        return 0;
    }
    cp::sample::DemoSession session(form, log, demoDir);
    return session.Run();
}
