#include "bench/ServerModeBench/SlowPostgres.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace cp::bench {
namespace {

sockaddr_un AddressOf(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        throw std::runtime_error("socket path too long: " + path);
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return address;
}

bool WriteAll(int to, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t sent = send(to, data, size, MSG_NOSIGNAL);
        if (sent <= 0) return false;
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

// The length of the protocol message at data (its type byte, its length and its body); 0 when
// fewer bytes than that have come.
std::size_t MessageLength(const std::string& data, std::size_t at) {
    if (data.size() - at < 5) return 0;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(data[at + i]); };
    const std::size_t length = 1 + ((std::size_t{byte(1)} << 24) | (std::size_t{byte(2)} << 16) |
                                    (std::size_t{byte(3)} << 8) | std::size_t{byte(4)});
    return data.size() - at < length ? 0 : length;
}

}  // namespace

SlowPostgres::SlowPostgres(std::string serverDirectory, int port, std::chrono::milliseconds delay)
    : server_(serverDirectory + "/.s.PGSQL." + std::to_string(port)), delay_(delay) {
    char folder[] = "/tmp/cp-slow-pg-XXXXXX";
    if (!mkdtemp(folder)) throw std::runtime_error("no folder for the relay's socket");
    directory_ = folder;
    socket_ = directory_ + "/.s.PGSQL." + std::to_string(port);
    const sockaddr_un address = AddressOf(socket_);
    listener_ = socket(AF_UNIX, SOCK_STREAM, 0);
    if (listener_ < 0 ||
        bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 8) != 0 || pipe(wake_) != 0) {
        throw std::runtime_error("the relay cannot listen in " + directory_);
    }
    acceptor_ = std::thread([this] { Accept(); });
}

SlowPostgres::~SlowPostgres() {
    const char end = 0;
    if (write(wake_[1], &end, 1) != 1) std::abort();
    acceptor_.join();
    {
        const std::lock_guard lock(mutex_);
        for (const int s : sockets_)
            shutdown(s, SHUT_RDWR);
    }
    for (std::thread& thread : threads_)
        thread.join();
    for (const int s : sockets_)
        close(s);
    close(listener_);
    close(wake_[0]);
    close(wake_[1]);
    unlink(socket_.c_str());
    rmdir(directory_.c_str());
}

void SlowPostgres::Accept() {
    for (;;) {
        pollfd waiting[2] = {{listener_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (poll(waiting, 2, -1) < 0 || waiting[1].revents) return;
        const int client = accept(listener_, nullptr, nullptr);
        if (client >= 0) Relay(client);
    }
}

void SlowPostgres::Relay(int client) {
    const int server = socket(AF_UNIX, SOCK_STREAM, 0);
    const sockaddr_un address = AddressOf(server_);
    const std::lock_guard lock(mutex_);
    sockets_.push_back(client);
    if (server < 0) return;
    sockets_.push_back(server);
    if (connect(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        shutdown(client, SHUT_RDWR);
        return;
    }
    threads_.emplace_back([this, client, server] { Copy(client, server, false); });
    threads_.emplace_back([this, client, server] { Copy(server, client, true); });
}

void SlowPostgres::Copy(int from, int to, bool hold) {
    std::string data;
    char buffer[65536];
    for (;;) {
        const ssize_t got = recv(from, buffer, sizeof buffer, 0);
        if (got <= 0) break;
        if (!hold) {
            if (!WriteAll(to, buffer, static_cast<std::size_t>(got))) break;
            continue;
        }
        data.append(buffer, static_cast<std::size_t>(got));
        // Whole messages pass at once, an answer's end after the delay.
        std::size_t at = 0;
        std::size_t sent = 0;
        bool open = true;
        for (std::size_t length; open && (length = MessageLength(data, at)) > 0; at += length) {
            if (data[at] != 'Z') continue;
            open = WriteAll(to, data.data() + sent, at - sent);
            std::this_thread::sleep_for(delay_);
            ++answers_;
            open = open && WriteAll(to, data.data() + at, length);
            sent = at + length;
        }
        if (!open || !WriteAll(to, data.data() + sent, at - sent)) break;
        data.erase(0, at);
    }
    // Either side gone: the other goes too.
    shutdown(from, SHUT_RDWR);
    shutdown(to, SHUT_RDWR);
}

}  // namespace cp::bench
