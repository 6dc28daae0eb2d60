#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>

#include "app/CategoryArray.h"

namespace bis {

// The controls of one kind on a screen, one per category, indexed by category number 1..10 as
// txtBlooms(i) or txtJudgeScore(i). There is no element 0: asking for it, or for 11, is a
// programming error and throws std::out_of_range.
template <typename Control>
class ControlArray {
  public:
    static constexpr int kFirst = 1;
    static constexpr int kLast = kCategoryCount;

    Control &operator()(int index) const { return *controls_[slot(index)]; }
    void set(int index, Control *control) { controls_[slot(index)] = control; }

  private:
    static std::size_t slot(int index) {
        if (index < kFirst || index > kLast) {
            throw std::out_of_range("control array index out of range");
        }
        return static_cast<std::size_t>(index - kFirst);
    }

    std::array<Control *, kLast> controls_{};
};

}  // namespace bis
