// The one drawer of tables in pictures: columns as wide as their widest text (by the
// estimate of Drawing.h), a gap between them, each column's texts aligned at its left
// or right edge; rows one under another, with an optional band behind a header row,
// rules above rows and extra space before them. Cells may span several columns.
#ifndef SPEKULOR_DRAWING_TABLE_H
#define SPEKULOR_DRAWING_TABLE_H

#include <string>
#include <vector>

#include "drawing/Drawing.h"
#include "drawing/Palette.h"
#include "drawing/PictureParts.h"

namespace spekulor::drawing {

struct TableCell {
  std::string text;
  bool bold = false;
  Colour colour = kInk;
  double indent = 0.0;  // pixels from the column's left edge, for left-aligned texts
  int span = 1;         // columns covered, this one and the next span - 1
};

struct TableRow {
  std::vector<TableCell> cells;  // from the first column; fewer leave the rest empty
  bool band = false;             // a filled band behind the row, as behind a header
  bool ruleAbove = false;        // a thin rule between this row and the one above
  double spaceBefore = 0.0;      // pixels added above the row
};

struct Table {
  std::vector<TextAnchor> anchors;  // each column's alignment: Start or End (Middle centres)
  std::vector<TableRow> rows;
  double rowHeight = 17.0;  // between baselines
  double columnGap = 24.0;  // between a column's widest text and the next column
  double textSize = kLabelSize;
};

// The columns' left and right edges, in pixels, for a table starting at `left`.
struct TableColumns {
  std::vector<double> left;
  std::vector<double> right;
  double Right() const { return right.empty() ? 0.0 : right.back(); }
};
TableColumns LayOutTable(const Table& table, double left);

// Draws the table with its first baseline at `firstBaseline`, naming its shapes
// `name`; returns the last row's baseline.
double AddTable(Drawing& drawing, std::vector<TextBox>& placed, const Table& table, double left,
                double firstBaseline, const std::string& name);

}  // namespace spekulor::drawing

#endif
