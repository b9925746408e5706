#include "submission/core/catalog.h"

#include "platform/core/gridtable.h"
#include "platform/core/text.h"

std::optional<std::string> submissionPageOf(const GridTable& lookup, std::string_view name) {
    if (lookup.columnCount() < 2)
        return std::nullopt;
    for (int row = 0; row < lookup.rowCount(); ++row) {
        if (trimText(lookup.cell(0, row)) == name)
            return trimText(lookup.cell(1, row));
    }
    return std::nullopt;
}
