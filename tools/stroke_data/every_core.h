// Runs a job once for each index on every core: for the tools' work over thousands of characters,
// each of which stands alone.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

namespace inkwren::tools {

template <typename Job>
void on_every_core(std::size_t count, const Job& job) {
    std::atomic<std::size_t> next = 0;
    auto take_some = [&] {
        for (std::size_t index = next++; index < count; index = next++) {
            job(index);
        }
    };
    std::vector<std::thread> workers;
    for (unsigned worker = 1; worker < std::max(1u, std::thread::hardware_concurrency());
         ++worker) {
        workers.emplace_back(take_some);
    }
    take_some();
    for (std::thread& worker : workers) {
        worker.join();
    }
}

}  // namespace inkwren::tools
