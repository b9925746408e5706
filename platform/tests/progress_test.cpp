#include "platform/core/progress.h"

#include <gtest/gtest.h>

TEST(Progress, RoundsHalvesToEven) {
    struct Case {
        int done, total, percent;
    };
    const Case cases[] = {{0, 1, 0},  {1, 1, 100}, {1, 3, 33},  {2, 3, 67}, {1, 8, 12}, {3, 8, 38},
                          {5, 8, 62}, {7, 8, 88},  {1, 40, 2},  {3, 40, 8}, {0, 0, 0},  {1, 6, 17},
                          {5, 6, 83}, {1, 200, 0}, {3, 200, 2}, {2, -1, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(progressPercent(c.done, c.total), c.percent) << c.done << "/" << c.total;
}
