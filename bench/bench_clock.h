// Wall-clock and fork helpers of the benchmark programs.
#pragma once
#include <cstdint>
#include <ctime>
#include <sys/wait.h>
#include <unistd.h>

inline int64_t bench_now_ns()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// CPU time of the calling thread: leaves out the time other processes on a shared machine
// take the processor away, which wall-clock figures of short stretches cannot.
inline int64_t bench_cpu_ns()
{
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Runs `fn(result)` in a child process, so every repetition starts from the program's
// start values, and copies the plain record `result` back. 0, or 1 when the child failed.
template <typename R, typename F>
int bench_in_child(R& result, F fn)
{
    int fds[2];
    if (pipe(fds) != 0)
        return 1;
    const pid_t pid = fork();
    if (pid < 0)
        return 1;
    if (pid == 0) {
        close(fds[0]);
        R r{};
        const int status = fn(r);
        const char* p = reinterpret_cast<const char*>(&r);
        size_t left = sizeof r;
        while (left > 0) {
            const ssize_t n = write(fds[1], p, left);
            if (n <= 0)
                break;
            p += n;
            left -= size_t(n);
        }
        _exit(status);
    }
    close(fds[1]);
    char* p = reinterpret_cast<char*>(&result);
    size_t got = 0;
    while (got < sizeof result) {
        const ssize_t n = read(fds[0], p + got, sizeof result - got);
        if (n <= 0)
            break;
        got += size_t(n);
    }
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return got == sizeof result && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
}
