// Runs a measured step in a child process of its own, so that it meets a heap as a process
// starts with it (fresh) or as a host's looks after a while of work (used): what a table's
// memory costs depends on both, and a benchmark that repeats a step in one process sees only
// the heap that its own earlier rounds left behind.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace cp::bench {

enum class Heap {
    Fresh,  // nothing allocated before the step but what the parent had
    Used,   // a host's working set first: many small objects, half of them gone, big ones freed
};

// Leaves the heap as a host's process that has worked a while: a live working set of small
// objects of mixed sizes with holes between them, and large blocks of earlier work given back.
inline void UseHeap() {
    static std::vector<std::unique_ptr<std::string>> live;
    constexpr std::size_t kObjects = 400'000;
    for (std::size_t i = 0; i < kObjects; ++i)
        live.push_back(std::make_unique<std::string>(16 + (i * 37) % 200, 'x'));
    for (std::size_t i = 0; i < kObjects; i += 2)
        live[i].reset();
    std::vector<std::vector<char>> earlier;
    for (std::size_t size = std::size_t{64} << 10; size <= (std::size_t{64} << 20); size *= 2)
        earlier.emplace_back(size, 'y');
}

inline double ProcessSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// The processor time, in seconds, of step() in a new child process, after prepare() there
// (untimed) and UseHeap() for a used heap; negative when the child failed or step() answered
// false.
template <class Prepare, class Step>
double ChildProcessSeconds(Heap heap, Prepare&& prepare, Step&& step) {
    int channel[2];
    if (pipe(channel) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        if (heap == Heap::Used) UseHeap();
        prepare();
        const double start = ProcessSeconds();
        const bool done = step();
        double seconds = ProcessSeconds() - start;
        if (!done) seconds = -1;
        const bool written = write(channel[1], &seconds, sizeof seconds) == sizeof seconds;
        _exit(written ? 0 : 1);
    }
    close(channel[1]);
    double seconds = -1;
    if (child < 0 || read(channel[0], &seconds, sizeof seconds) != sizeof seconds) seconds = -1;
    close(channel[0]);
    int status = 0;
    if (child > 0) waitpid(child, &status, 0);
    return seconds;
}

}  // namespace cp::bench
