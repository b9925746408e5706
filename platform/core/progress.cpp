#include "platform/core/progress.h"

int progressPercent(int done, int total) {
    if (total <= 0)
        return 0;
    long long numerator = static_cast<long long>(done) * 100;
    long long quotient = numerator / total;
    long long remainder = numerator % total;
    if (remainder * 2 > total || (remainder * 2 == total && quotient % 2 == 1))
        ++quotient;
    return static_cast<int>(quotient);
}
