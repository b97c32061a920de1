#include "drawing/SvgWriter.h"

#include "support/Windows1252.h"

using namespace spekulor::support;

namespace spekulor::drawing {

namespace {

// Pixels to two decimals; a picture printed to scale needs four to hold its lengths in
// inches to a few micrometres.
struct Numbers {
  int decimals = 2;
  std::string operator()(double value) const { return FormatFixed(value, decimals); }
};

std::string Hex(const Colour& c) {
  static const char digits[] = "0123456789abcdef";
  std::string text = "#";
  for (unsigned char part : {c.r, c.g, c.b}) {
    text += digits[part >> 4];
    text += digits[part & 15];
  }
  return text;
}

std::string StrokeAttributes(const Stroke& stroke, const Numbers& Num) {
  std::string text = " stroke=\"" + Hex(stroke.colour) + "\" stroke-width=\"" + Num(stroke.width) + "\"";
  if (stroke.dashed) {
    text += " stroke-dasharray=\"" + Num(4.0 * stroke.width + 2.0) + " " +
            Num(3.0 * stroke.width + 1.0) + "\"";
  }
  return text;
}

std::string Points(const std::vector<DrawPoint>& points, const Numbers& Num) {
  std::string text;
  for (const DrawPoint& p : points) {
    if (!text.empty()) text += ' ';
    text += Num(p.x) + "," + Num(p.y);
  }
  return text;
}

struct ShapeWriter {
  std::string& out;
  Numbers Num;

  void operator()(const LineShape& line) const {
    out += "<line x1=\"" + Num(line.from.x) + "\" y1=\"" + Num(line.from.y) + "\" x2=\"" +
           Num(line.to.x) + "\" y2=\"" + Num(line.to.y) + "\"" + StrokeAttributes(line.stroke, Num) +
           "/>\n";
  }

  void operator()(const PolylineShape& poly) const {
    if (poly.points.empty()) return;
    out += poly.closed ? "<polygon" : "<polyline";
    out += " points=\"" + Points(poly.points, Num) + "\"";
    out += " fill=\"" + (poly.closed && poly.filled ? Hex(poly.fill) : std::string("none")) + "\"";
    out += StrokeAttributes(poly.stroke, Num) + " stroke-linejoin=\"round\"/>\n";
  }

  void operator()(const CircleShape& circle) const {
    out += "<circle cx=\"" + Num(circle.centre.x) + "\" cy=\"" + Num(circle.centre.y) +
           "\" r=\"" + Num(circle.radius) + "\" fill=\"none\"" + StrokeAttributes(circle.stroke, Num) +
           "/>\n";
  }

  // One path of zero-length segments with round caps draws every dot in one element.
  void operator()(const DotsShape& dots) const {
    if (dots.centres.empty()) return;
    out += "<path fill=\"none\" stroke=\"" + Hex(dots.colour) + "\" stroke-width=\"" +
           Num(2.0 * dots.radius) + "\" stroke-linecap=\"round\" d=\"";
    size_t count = 0;
    for (const DrawPoint& p : dots.centres) {
      out += "M" + Num(p.x) + " " + Num(p.y) + "h0";
      if (++count % 8 == 0 && count != dots.centres.size()) out += '\n';
    }
    out += "\"/>\n";
  }

  void operator()(const TextShape& text) const {
    static const char* const anchors[] = {"start", "middle", "end"};
    out += "<text x=\"" + Num(text.at.x) + "\" y=\"" + Num(text.at.y) + "\" font-size=\"" +
           Num(text.size) + "\"";
    if (text.anchor != TextAnchor::Start) {
      out += std::string(" text-anchor=\"") + anchors[static_cast<int>(text.anchor)] + "\"";
    }
    if (text.bold) out += " font-weight=\"bold\"";
    const Colour black{};
    if (text.colour.r != black.r || text.colour.g != black.g || text.colour.b != black.b) {
      out += " fill=\"" + Hex(text.colour) + "\"";
    }
    out += ">" + SvgText(text.text) + "</text>\n";
  }
};

}  // namespace

std::string SvgText(const std::string& windowsText) {
  std::string escaped;
  for (char c : windowsText) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == '&') escaped += "&amp;";
    else if (c == '<') escaped += "&lt;";
    else if (c == '>') escaped += "&gt;";
    else if (c == '"') escaped += "&quot;";
    else if ((byte < 0x20 && c != '\t') || byte == 0x7F) escaped += '?';
    else escaped += c;
  }
  return Windows1252ToUtf8(escaped);
}

std::string WriteSvg(const Drawing& drawing) {
  const Numbers Num{drawing.physicalUnit.empty() ? 2 : 4};
  std::string out;
  out.reserve(4096);
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
         Num(drawing.width) + drawing.physicalUnit + "\" height=\"" + Num(drawing.height) +
         drawing.physicalUnit + "\" viewBox=\"0 0 " +
         Num(drawing.width) + " " + Num(drawing.height) +
         "\" font-family=\"DejaVu Sans, Verdana, Arial, sans-serif\">\n";
  out += "<title>" + SvgText(drawing.title) + "</title>\n";
  out += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
  const ShapeWriter writer{out, Num};
  for (const Shape& shape : drawing.shapes) std::visit(writer, shape);
  out += "</svg>\n";
  return out;
}

}  // namespace spekulor::drawing
