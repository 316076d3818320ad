#include "print/print_selection.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace brenlow {
namespace {

PrintBoxes Ticked(std::initializer_list<int> boxes)
{
    PrintBoxes ticked{};
    for (const int box : boxes)
        ticked[static_cast<std::size_t>(box)] = true;
    return ticked;
}

TEST(PrintSelection, StepsInTheOrderTheyPrint)
{
    struct Row
    {
        const char *name;
        PrintBoxes boxes;
        std::int32_t saved;
        std::vector<std::int32_t> steps;
    };
    const Row rows[] = {
        {"print at once: the step shown", Ticked({1}), 9, {9}},
        {"half-hourly alone", Ticked({1, 4}), 9, {9}},
        {"half hours alone", Ticked({1, 18}), 9, {9}},
        {"nothing at all", Ticked({}), 9, {}},
        {"2, 3 and 4 at 13",
         Ticked({1, 2, 3, 4}),
         13,
         {7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}},
        {"3 hourly at 2", Ticked({3}), 2, {20, 22, 24}},
        {"3 half-hourly at 2", Ticked({3, 4}), 2, {21, 22, 23, 24, 25, 1}},
        {"1 and 2 hourly at 2", Ticked({1, 2}), 2, {2, 4, 6, 8}},
        {"2 hourly at 25", Ticked({2}), 25, {3, 5, 7}},
        {"2 half-hourly at 25", Ticked({2, 4}), 25, {1, 2, 3, 4, 5, 6}},
        {"high water with half hours", Ticked({1, 11, 18}), 9, {13}},
        {"option 2 wins over option 1", Ticked({1, 2, 5}), 9, {1}},
        {"all of option 2",
         Ticked({5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}),
         9,
         {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
          15, 14, 17, 16, 19, 18, 21, 20, 23, 22, 25, 24}},
    };
    for (const Row &row : rows)
        EXPECT_EQ(SelectedSteps(row.boxes, row.saved), row.steps) << row.name;
}

} // namespace
} // namespace brenlow
