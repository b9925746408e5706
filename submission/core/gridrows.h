#pragma once

class GridTable;

// Edits of the two-column tables the tool keeps (profiles, engine lists) that its editors share.

// Removes every row from row 1 to the last-but-one whose cells are all empty after trimming:
// the first and the last row always stay, and no row with content goes.
void removeBlankRows(GridTable& table);

// An engine list takes an import only when it holds more than six rows: a smaller grid is taken
// for no list being open.
bool canImportInto(const GridTable& list);

// Inserts each row of imported, in order, at the top of list, so the imported rows stand above
// the old ones in reverse order and no old row is overwritten.
void importRows(GridTable& list, const GridTable& imported);

// Sorts the rows by column 0, ascending, without regard to letter case; rows whose names are
// equal that way keep their order.
void sortRows(GridTable& table);
