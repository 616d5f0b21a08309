// Sums whose every bit is the same on any number of threads: the terms are
// added in blocks of fixed length, each block in order, and the block sums
// then in block order. A sum of at most one block is the plain running sum.
#pragma once

#include <algorithm>
#include <array>
#include <vector>

namespace zelk {

inline constexpr int kOrderedSumBlock = 4096;

// Sums term(i), an array of Width values, over i = 0 .. count - 1.
template <int Width, typename Term>
std::array<double, Width> orderedSum(int count, Term term) {
    const int blocks = (count + kOrderedSumBlock - 1) / kOrderedSumBlock;
    std::vector<std::array<double, Width>> blockSums(static_cast<std::size_t>(blocks));
#pragma omp parallel for schedule(static) if (blocks > 1)
    for (int b = 0; b < blocks; ++b) {
        std::array<double, Width> sum{};
        const int end = std::min(count, (b + 1) * kOrderedSumBlock);
        for (int i = b * kOrderedSumBlock; i < end; ++i) {
            const std::array<double, Width> t = term(i);
            for (int w = 0; w < Width; ++w) sum[w] += t[w];
        }
        blockSums[static_cast<std::size_t>(b)] = sum;
    }
    std::array<double, Width> total{};
    for (const std::array<double, Width>& sum : blockSums)
        for (int w = 0; w < Width; ++w) total[w] += sum[w];
    return total;
}

}  // namespace zelk
