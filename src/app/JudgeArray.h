#pragma once

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <vector>

namespace bis {

// A per-judge array indexed by judge number 1..lastJudge, allocated as a whole.
template <typename T>
class JudgeArray {
  public:
    // Replaces the array by judges 1..lastJudge, every element 0. A count below 1 gives an
    // empty array.
    void allocate(int lastJudge) {
        items_.assign(static_cast<std::size_t>(std::max(lastJudge, 0)), T{});
    }

    [[nodiscard]] int lastJudge() const { return static_cast<int>(items_.size()); }

    T &operator()(int judge) { return items_.at(index(judge)); }
    const T &operator()(int judge) const { return items_.at(index(judge)); }

  private:
    static std::size_t index(int judge) {
        if (judge < 1) {
            throw std::out_of_range("judge number out of range");
        }
        return static_cast<std::size_t>(judge - 1);
    }

    std::vector<T> items_;
};

}  // namespace bis
