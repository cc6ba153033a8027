#include "tools/modelgen/ParallelRows.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace modelgen {

void ParallelRows::run(int rows, int threads, const std::function<void(int y)> &row)
{
    threads = std::max(1, threads);
    const auto rowsFrom = [&](int first) {
        for (int y = first; y < rows; y += threads)
            row(y);
    };
    std::vector<std::thread> workers;
    for (int k = 1; k < threads; ++k)
        workers.emplace_back(rowsFrom, k);
    rowsFrom(0);
    for (std::thread &worker : workers)
        worker.join();
}

} // namespace modelgen
