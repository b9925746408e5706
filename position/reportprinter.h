#pragma once

#include <QDateTime>

class GridTable;
class QPrinter;

// Prints the whole grid on printer: landscape, the table centred across the page with single
// borders around the cells, the date (dd/mm/yyyy) at the top centre of a header area in bold
// purple, the time at the bottom centre, no page numbers and no title. Rows that do not fit
// continue on further pages, each page starting with the header row 0 again. Column widths
// follow the grid's (screen pixels), narrowed together when the table is wider than the page.
// Returns false when the printer could not be started.
bool printReport(const GridTable& table, QPrinter& printer, const QDateTime& when);
