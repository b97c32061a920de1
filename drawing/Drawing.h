// A small, toolkit-neutral description of a picture: lines, polylines (which also
// stand for arcs), circles, dot clouds and text, painted in the order given. The SVG
// writer and the window's painter are its two back ends; neither knows optics.
//
// Coordinates are pixels with the origin at the top left and y growing downward.
// Texts are Windows-1252, like every text of the program.
#ifndef SPEKULOR_DRAWING_DRAWING_H
#define SPEKULOR_DRAWING_DRAWING_H

#include <string>
#include <variant>
#include <vector>

namespace spekulor::drawing {

struct DrawPoint {
  double x = 0.0;
  double y = 0.0;
};

struct Colour {
  unsigned char r = 0;
  unsigned char g = 0;
  unsigned char b = 0;
};

struct Stroke {
  Colour colour;
  double width = 1.0;
  bool dashed = false;
};

struct LineShape {
  DrawPoint from;
  DrawPoint to;
  Stroke stroke;
};

struct PolylineShape {
  std::vector<DrawPoint> points;
  Stroke stroke;
  bool closed = false;
  bool filled = false;  // only for closed outlines
  Colour fill;
};

struct CircleShape {
  DrawPoint centre;
  double radius = 0.0;
  Stroke stroke;
};

// Many small filled discs of one colour, as a spot diagram needs them.
struct DotsShape {
  std::vector<DrawPoint> centres;
  double radius = 1.0;
  Colour colour;
};

enum class TextAnchor { Start, Middle, End };

struct TextShape {
  DrawPoint at;  // on the baseline
  std::string text;
  double size = 12.0;  // pixel height of the font
  TextAnchor anchor = TextAnchor::Start;
  Colour colour;
  bool bold = false;
};

using Shape = std::variant<LineShape, PolylineShape, CircleShape, DotsShape, TextShape>;

// A named run of shapes, shapes[first, end): what a part of the picture is, for
// whoever looks for it (the back ends paint shapes only).
struct DrawingPart {
  std::string name;
  size_t first = 0;
  size_t end = 0;
};

struct Drawing {
  double width = 0.0;
  double height = 0.0;
  // Empty for a picture in pixels; "mm" or "in" for one printed to scale, whose
  // coordinates are then in this unit and whose width and height are written in it.
  std::string physicalUnit;
  std::string title;  // what the picture shows, for the file's metadata
  std::vector<Shape> shapes;
  std::vector<DrawingPart> parts;
};

// A box around a text, from the generous estimate of 0.6 font sizes per character
// (wide enough for DejaVu Sans and Arial), the ascent 0.8 and the descent 0.25 sizes.
struct TextBox {
  double left = 0.0, top = 0.0;      // the top left corner
  double right = 0.0, bottom = 0.0;  // the bottom right
};
TextBox EstimateTextBox(const TextShape& text);
bool BoxesOverlap(const TextBox& a, const TextBox& b);

// Adds the first of the candidate placements of one text whose box overlaps none of
// `placed`, and records its box; when every candidate overlaps, the first is used and
// the result is false.
bool AddTextAvoiding(Drawing& drawing, std::vector<TextBox>& placed,
                     const std::vector<TextShape>& candidates);

// Number as text with `decimals` digits after a "." whatever the locale.
std::string FormatFixed(double value, int decimals);

// Number as text in the shortest form that reads back to it exactly ("0.1", "-2.5e-07"),
// with "." whatever the locale: a value as the user gave it.
std::string FormatShortest(double value);

}  // namespace spekulor::drawing

#endif
