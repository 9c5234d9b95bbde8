#include "tests/odbc/OdbcTestSupport.h"

#include <cstdio>

#include "OdbcTestPaths.h"

namespace cp::test {

std::string PostgresConnection(const std::string& extra) {
    return std::string(CP_TEST_POSTGRES) + (extra.empty() ? "" : ";" + extra);
}

std::string UnreachableConnection() {
    // The server's connection string with the socket folder of no server.
    std::string text = CP_TEST_POSTGRES;
    const std::string key = "Servername=";
    const std::size_t begin = text.find(key) + key.size();
    return text.replace(begin, text.find(';', begin) - begin, CP_TEST_SCRATCH);
}

ScratchFile::ScratchFile(const std::string& name)
    : path_(std::string(CP_TEST_SCRATCH) + "/" + name + ".sqlite") {
    std::remove(path_.c_str());
}

ScratchFile::~ScratchFile() {
    std::remove(path_.c_str());
}

std::string ScratchFile::Connection() const {
    return "Driver=SQLite3;Database=" + path_;
}

}  // namespace cp::test
