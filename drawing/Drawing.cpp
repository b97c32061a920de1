#include "drawing/Drawing.h"

#include <cmath>

#include "support/DecimalChars.h"

using namespace spekulor::support;

namespace spekulor::drawing {

TextBox EstimateTextBox(const TextShape& text) {
  const double width = 0.6 * text.size * static_cast<double>(text.text.size());
  double left = text.at.x;
  if (text.anchor == TextAnchor::Middle) left -= width / 2.0;
  if (text.anchor == TextAnchor::End) left -= width;
  return {left, text.at.y - 0.8 * text.size, left + width, text.at.y + 0.25 * text.size};
}

bool BoxesOverlap(const TextBox& a, const TextBox& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool AddTextAvoiding(Drawing& drawing, std::vector<TextBox>& placed,
                     const std::vector<TextShape>& candidates) {
  if (candidates.empty()) return false;
  for (const TextShape& candidate : candidates) {
    const TextBox box = EstimateTextBox(candidate);
    bool free = true;
    for (const TextBox& other : placed) free = free && !BoxesOverlap(box, other);
    if (free) {
      drawing.shapes.emplace_back(candidate);
      placed.push_back(box);
      return true;
    }
  }
  drawing.shapes.emplace_back(candidates.front());
  placed.push_back(EstimateTextBox(candidates.front()));
  return false;
}

std::string FormatFixed(double value, int decimals) {
  if (!std::isfinite(value)) return std::isnan(value) ? "nan" : (value > 0 ? "inf" : "-inf");
  std::string text = FixedDecimal(value, decimals);
  // A negative value that rounds to zero is written without its minus sign.
  if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

std::string FormatShortest(double value) {
  if (!std::isfinite(value)) return std::isnan(value) ? "nan" : (value > 0 ? "inf" : "-inf");
  return ShortestDecimal(value);
}

}  // namespace spekulor::drawing
