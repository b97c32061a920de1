#include "drawing/Table.h"

#include <algorithm>

namespace spekulor::drawing {

namespace {

double CellWidth(const Table& table, const TableCell& cell) {
  const TextBox box =
      EstimateTextBox(Label(0.0, 0.0, cell.text, TextAnchor::Start, table.textSize, cell.colour, cell.bold));
  return box.right - box.left + cell.indent;
}

}  // namespace

TableColumns LayOutTable(const Table& table, double left) {
  const size_t count = table.anchors.size();
  std::vector<double> widths(count, 0.0);
  for (const TableRow& row : table.rows) {
    for (size_t c = 0; c < row.cells.size() && c < count; ++c) {
      if (row.cells[c].span <= 1) widths[c] = std::max(widths[c], CellWidth(table, row.cells[c]));
    }
  }
  // A spanning text wider than its columns widens the last of them.
  for (const TableRow& row : table.rows) {
    for (size_t c = 0; c < row.cells.size() && c < count; ++c) {
      if (row.cells[c].span <= 1) continue;
      const size_t last = std::min(count, c + static_cast<size_t>(row.cells[c].span)) - 1;
      double across = 0.0;
      for (size_t k = c; k <= last; ++k) across += widths[k] + (k > c ? table.columnGap : 0.0);
      widths[last] += std::max(0.0, CellWidth(table, row.cells[c]) - across);
    }
  }
  TableColumns columns;
  double x = left;
  for (size_t c = 0; c < count; ++c) {
    columns.left.push_back(x);
    columns.right.push_back(x + widths[c]);
    x += widths[c] + table.columnGap;
  }
  return columns;
}

double AddTable(Drawing& drawing, std::vector<TextBox>& placed, const Table& table, double left,
                double firstBaseline, const std::string& name) {
  const size_t first = drawing.shapes.size();
  const TableColumns columns = LayOutTable(table, left);
  const double right = columns.Right();
  const double ascent = 0.8 * table.textSize;
  double y = firstBaseline - table.rowHeight;
  for (const TableRow& row : table.rows) {
    y += table.rowHeight + row.spaceBefore;
    // The row's box: from half the leading above its ascent to below its descent.
    const double top = y - ascent - (table.rowHeight - table.textSize) / 2.0;
    if (row.band) {
      PolylineShape band;
      band.points = {{left - 6.0, top}, {right + 6.0, top}, {right + 6.0, top + table.rowHeight},
                     {left - 6.0, top + table.rowHeight}};
      band.closed = true;
      band.filled = true;
      band.fill = kHeaderFill;
      band.stroke = {kHeaderFill, 0.5, false};
      drawing.shapes.emplace_back(band);
    }
    if (row.ruleAbove) {
      drawing.shapes.emplace_back(LineShape{{left - 6.0, top}, {right + 6.0, top}, {kFrame, 0.6, false}});
    }
    for (size_t c = 0; c < row.cells.size() && c < table.anchors.size(); ++c) {
      const TableCell& cell = row.cells[c];
      if (cell.text.empty()) continue;
      const size_t last = std::min(table.anchors.size(), c + static_cast<size_t>(std::max(1, cell.span))) - 1;
      const TextAnchor anchor = table.anchors[c];
      double x = columns.left[c] + cell.indent;
      if (anchor == TextAnchor::End) x = columns.right[last];
      if (anchor == TextAnchor::Middle) x = (columns.left[c] + columns.right[last]) / 2.0;
      AddTextAvoiding(drawing, placed,
                      {Label(x, y, cell.text, anchor, table.textSize, cell.colour, cell.bold)});
    }
  }
  NamePart(drawing, name, first);
  return y;
}

}  // namespace spekulor::drawing
