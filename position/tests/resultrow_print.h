#pragma once

#include <ostream>

#include "position/core/textmarkers.h"

// Readable rows in test failures.
inline void PrintTo(const ResultRow& row, std::ostream* out) {
    *out << "{\"" << row.label << "\", \"" << row.address << "\"}";
}
