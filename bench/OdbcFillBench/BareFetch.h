// The ODBC fill's baseline, apart from the fill's program because the system's ODBC headers
// and the platform's declarations cannot meet in one source.
#pragma once

#include <cstdint>
#include <string>

struct BareHandles;

class BareConnection {
public:
    explicit BareConnection(const std::string& connectionString);
    ~BareConnection();
    BareConnection(const BareConnection&) = delete;
    BareConnection& operator=(const BareConnection&) = delete;

    // Runs a query of an integer and two texts, fetches it in blocks of 1024 rows into bound
    // columns, touches every value and keeps none; returns the number of rows.
    std::int64_t FetchAll(const char* query);

private:
    BareHandles* handles_;  // owned
};
