#pragma once

#include <functional>

namespace modelgen {

// Runs row(y) for every y in 0 .. rows - 1 on `threads` threads (at least one, the calling
// thread among them); thread k takes rows k, k + threads, k + 2 threads, ... Each row runs
// once, so row-wise results do not depend on the number of threads.
class ParallelRows
{
public:
    static void run(int rows, int threads, const std::function<void(int y)> &row);
};

} // namespace modelgen
