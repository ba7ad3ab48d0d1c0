#pragma once

namespace velmo::model {

class Table;

/// Repairs after reading: vertical merges that start nowhere or lead nowhere become plain cells.
/// Records nothing in the history (readers fill the model outside it).
void removeInvalidVerticalSpans(Table& table);
/// Repairs after reading: every cell spans at least one grid column, and ragged rows are padded
/// with columns after their last cell so that every row covers the same grid.
void normalizeCellColumnSpans(Table& table);

} // namespace velmo::model
