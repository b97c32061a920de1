#include "drawing/PictureParts.h"

#include <algorithm>
#include <cmath>

namespace spekulor::drawing {

TextShape Label(double x, double y, const std::string& text, TextAnchor anchor, double size,
                Colour colour, bool bold) {
  return TextShape{{x, y}, text, size, anchor, colour, bold};
}

void AddTitleRows(Drawing& drawing, std::vector<TextBox>& placed, const std::string& title,
                  const std::string& subtitle) {
  const double centreX = drawing.width / 2.0;
  AddTextAvoiding(drawing, placed,
                  {Label(centreX, kTitleBaseline, title, TextAnchor::Middle, kTitleSize, kInk, true)});
  AddTextAvoiding(drawing, placed,
                  {Label(centreX, kSubtitleBaseline, subtitle, TextAnchor::Middle)});
}

void AddArrowHead(Drawing& drawing, DrawPoint tip, double direction, Colour colour) {
  PolylineShape head;
  head.points = {tip, {tip.x - direction * 8.0, tip.y - 3.0}, {tip.x - direction * 8.0, tip.y + 3.0}};
  head.closed = true;
  head.filled = true;
  head.fill = colour;
  head.stroke = {colour, 0.5, false};
  drawing.shapes.emplace_back(head);
}

void AddDimension(Drawing& drawing, double x1, double x2, double lineY, double fromY1,
                  double fromY2) {
  const Stroke thin{kLineGrey, 0.8, false};
  const double overshoot = lineY < fromY1 ? -5.0 : 5.0;
  drawing.shapes.emplace_back(LineShape{{x1, fromY1}, {x1, lineY + overshoot}, thin});
  drawing.shapes.emplace_back(LineShape{{x2, fromY2}, {x2, lineY + overshoot}, thin});
  drawing.shapes.emplace_back(LineShape{{x1, lineY}, {x2, lineY}, {kInk, 0.9, false}});
  const double direction = x2 > x1 ? 1.0 : -1.0;
  AddArrowHead(drawing, {x2, lineY}, direction, kInk);
  AddArrowHead(drawing, {x1, lineY}, -direction, kInk);
}

TextShape AddScaleBar(Drawing& drawing, std::vector<TextBox>& placed, double x, double baselineY,
                      double pixels, const std::string& text) {
  const Stroke bar{kInk, 1.6, false};
  drawing.shapes.emplace_back(LineShape{{x, baselineY - 4.0}, {x + pixels, baselineY - 4.0}, bar});
  drawing.shapes.emplace_back(LineShape{{x, baselineY - 9.0}, {x, baselineY + 1.0}, bar});
  drawing.shapes.emplace_back(
      LineShape{{x + pixels, baselineY - 9.0}, {x + pixels, baselineY + 1.0}, bar});
  const TextShape label = Label(x + pixels + 8.0, baselineY, text, TextAnchor::Start);
  AddTextAvoiding(drawing, placed, {label});
  return label;
}

double AddStrokeLegend(Drawing& drawing, std::vector<TextBox>& placed, double x, double y,
                       const std::vector<StrokeKey>& keys) {
  for (const StrokeKey& key : keys) {
    drawing.shapes.emplace_back(LineShape{{x, y - 4.0}, {x + 26.0, y - 4.0}, key.stroke});
    const TextShape text = Label(x + 32.0, y, key.text, TextAnchor::Start);
    AddTextAvoiding(drawing, placed, {text});
    x = EstimateTextBox(text).right + 24.0;
  }
  return x;
}

double RoundScaleLength(double most) {
  if (!(most > 0.0) || !std::isfinite(most)) return 0.0;
  const double power = std::pow(10.0, std::floor(std::log10(most)));
  for (double step : {5.0, 2.0, 1.0}) {
    if (step * power <= most * (1.0 + 1e-12)) return step * power;
  }
  return power;
}

void FitWidthToTexts(Drawing& drawing, const std::vector<TextBox>& placed, double margin) {
  double right = drawing.width - margin;
  for (const TextBox& box : placed) right = std::max(right, box.right);
  drawing.width = right + margin;
}

void NamePart(Drawing& drawing, const std::string& name, size_t first) {
  drawing.parts.push_back({name, first, drawing.shapes.size()});
}

std::vector<const Shape*> PartShapes(const Drawing& drawing, const std::string& name) {
  std::vector<const Shape*> shapes;
  for (const DrawingPart& part : drawing.parts) {
    if (part.name != name) continue;
    for (size_t i = part.first; i < part.end && i < drawing.shapes.size(); ++i) {
      shapes.push_back(&drawing.shapes[i]);
    }
  }
  return shapes;
}

double PartHorizontalSpan(const Drawing& drawing, const std::string& name) {
  double span = 0.0;
  for (const Shape* shape : PartShapes(drawing, name)) {
    const LineShape* line = std::get_if<LineShape>(shape);
    if (line != nullptr && line->from.y == line->to.y) {
      span = std::max(span, std::fabs(line->to.x - line->from.x));
    }
  }
  return span;
}

}  // namespace spekulor::drawing
