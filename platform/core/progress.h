#pragma once

// A progress bar's position: done * 100 / total to the nearest whole number, a half going to the
// even neighbour, as the runs of both programs have always shown it. 0 when total is not positive.
int progressPercent(int done, int total);
