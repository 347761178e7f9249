#pragma once

struct sqlite3;

// Teaches a connection the two functions the library's schema uses on cell blobs:
// lead_cell(cells, column), the text of one cell ('' when absent), and
// merge_cells(older, newer), the cells of both with non-empty newer ones winning.
// False when the connection refuses them.
bool RegisterCellFunctions(sqlite3 *db);
