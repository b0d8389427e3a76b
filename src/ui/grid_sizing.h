#pragma once

class QTableView;

// The channel grid's row height and its fixed columns (number, receive and transmit frequency) follow the
// grid's font: they grow and shrink with it from their design sizes, and never get smaller than the text
// they hold. The other columns share the rest of the width.
namespace GridSizing {

// The grid's font size at the design window size.
constexpr double kDesignFontPoints = 9;

// Sizes the rows and columns of `grid` for its current font and model.
void fitToFont(QTableView* grid);

} // namespace GridSizing
