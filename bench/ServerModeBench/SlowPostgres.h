// A slow PostgreSQL server for the benchmark: a relay on a Unix socket of its own in front of a
// real server's socket, which holds back each answer's end (the server's ReadyForQuery message)
// by a delay, so that every round trip of the driver takes at least that long, as a far server
// or a slow view does. Everything else passes unchanged, so the driver, the server's plans and
// its statistics are the real ones.
//
// Only what libpq does over a Unix socket is relayed: no SSL or GSSAPI negotiation.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace cp::bench {

class SlowPostgres {
public:
    // Relays to the server whose socket is serverDirectory/.s.PGSQL.<port>.
    SlowPostgres(std::string serverDirectory, int port, std::chrono::milliseconds delay);
    ~SlowPostgres();
    SlowPostgres(const SlowPostgres&) = delete;
    SlowPostgres& operator=(const SlowPostgres&) = delete;

    // The folder of the relay's socket (same port), for a connection string's Servername.
    const std::string& Directory() const { return directory_; }
    // The answers held back so far.
    std::int64_t Answers() const { return answers_.load(); }

private:
    void Accept();
    void Relay(int client);
    // Copies bytes from one socket to the other until either closes; with hold, each
    // ReadyForQuery message is written only after the delay.
    void Copy(int from, int to, bool hold);

    std::string server_;     // the server's socket path
    std::string directory_;  // the relay's socket folder
    std::string socket_;     // the relay's socket path
    std::chrono::milliseconds delay_;
    int listener_ = -1;
    int wake_[2] = {-1, -1};  // written to end the relay
    std::atomic<std::int64_t> answers_{0};
    std::mutex mutex_;
    std::vector<int> sockets_;  // every socket opened, shut down at the end
    std::vector<std::thread> threads_;
    std::thread acceptor_;
};

}  // namespace cp::bench
