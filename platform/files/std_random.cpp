#include "std_random.h"

#include <chrono>
#include <utility>

void StdRandom::seedFromTickCount() {
    const auto ticks =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
    engine_.seed(static_cast<std::mt19937::result_type>(ticks.count()));
}

int StdRandom::uniform(int low, int high) {
    if (low > high) std::swap(low, high);
    return std::uniform_int_distribution<int>(low, high)(engine_);
}
