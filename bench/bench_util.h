// A small timing harness shared by the native and the Wine builds of the benchmarks:
// runs a piece of work repeatedly and reports the median, so one slow run does not count.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace kelvaro::bench {

template <typename Work, typename Setup>
double MedianSeconds(int repetitions, Work&& work, Setup&& setup) {
    std::vector<double> seconds;
    for (int i = 0; i < repetitions; ++i) {
        setup();
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        seconds.push_back(std::chrono::duration<double>(end - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    return seconds[seconds.size() / 2];
}

template <typename Work>
double MedianSeconds(int repetitions, Work&& work) {
    return MedianSeconds(repetitions, work, [] {});
}

inline void Report(const char* name, double value, const char* unit) {
    std::printf("%-58s %12.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

// Keeps the compiler from dropping work whose result is unused.
template <typename T>
inline void KeepAlive(const T& value) {
    asm volatile("" : : "g"(&value) : "memory");
}

}  // namespace kelvaro::bench
