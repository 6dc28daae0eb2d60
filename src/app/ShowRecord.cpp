#include "app/ShowRecord.h"

#include <array>
#include <cstddef>
#include <stdexcept>

namespace bis {

namespace {

constexpr std::array<const char *, kCategoryCount> kCategoryNames = {
    "EXTRA LARGE", "LARGE",        "SMALL",       "MINIATURE",       "DBL.+POLY.+ MULTI",
    "SPIDER",      "UNUSUAL FORM", "YOUTH ENTRY", "POPULARITY POLL", "SEEDLING",
};

}  // namespace

const char *FixedCategoryName(int category) {
    if (category < 1 || category > kCategoryCount) {
        throw std::out_of_range("category number out of range");
    }
    return kCategoryNames[static_cast<std::size_t>(category - 1)];
}

void ShowRecord::Initialise() {
    *this = ShowRecord{};
    NumCategories = kCategoryCount;
    for (int c = 1; c <= NumCategories; ++c) {
        CategoryName(c) = FixedCategoryName(c);
    }
    ProgramVersion = kProgramVersion;
}

}  // namespace bis
