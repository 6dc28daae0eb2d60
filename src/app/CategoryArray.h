#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>

namespace bis {

// The show always has these ten categories; every per-category array, control array and show
// file uses the category numbers 1..10.
inline constexpr int kCategoryCount = 10;

// A per-category array indexed by category number 1..10. There is no element 0: asking for it,
// or for 11, is a programming error and throws std::out_of_range.
template <typename T>
class CategoryArray {
  public:
    T &operator()(int category) { return items_[index(category)]; }
    const T &operator()(int category) const { return items_[index(category)]; }

    // Gives every element the value a fresh allocation has (0 or empty text).
    void reset() { items_.fill(T{}); }

  private:
    static std::size_t index(int category) {
        if (category < 1 || category > kCategoryCount) {
            throw std::out_of_range("category number out of range");
        }
        return static_cast<std::size_t>(category - 1);
    }

    std::array<T, kCategoryCount> items_{};
};

}  // namespace bis
