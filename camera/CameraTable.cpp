#include "camera/CameraTable.h"

#include <cmath>

#include "drawing/Formats.h"
#include "drawing/Palette.h"
#include "support/Units.h"
#include "trace/LengthText.h"
#include "support/TextColumns.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::support;

namespace spekulor::camera {

namespace {

constexpr size_t kLabelWidth = 46;
constexpr size_t kValueWidth = 22;
constexpr double kTableRowHeight = 18.0;
constexpr double kIndent = 14.0;

std::string Micrometres(const CameraPage& page, double value) {
  return FormatFixed(value * MicrometresPerUnit(page.unit), 1) + " \xB5m";
}

std::string Arcsec(double value, int decimals) { return FormatFixed(value, decimals) + "\""; }

std::string Arcmin(double value) { return FormatFixed(value, 2) + "'"; }

std::string Degrees(double radians) { return FormatFixed(radians * kDegreesPerRadian, 3) + "\xB0"; }

CameraBlock SamplingBlock(const CameraPage& page) {
  const SensorOptions& sensor = page.options.sensor;
  const SensorScale& s = page.scale;
  return {"Sampling",
          {{"Sensor", FormatFixed(sensor.widthMm, 2) + " x " + FormatFixed(sensor.heightMm, 2) + " mm"},
           {"Pixel size", FormatFixed(sensor.pixelUm, 2) + " \xB5m"},
           {"Image scale per pixel", Arcsec(s.arcsecPerPixel, 3)},
           {"Field of view", Arcmin(s.fieldWidthArcmin) + " x " + Arcmin(s.fieldHeightArcmin)},
           {"  across the diagonal", Arcmin(s.diagonalArcmin)},
           {"Airy disk diameter (550 nm)", FormatFixed(s.airyDiameterPx, 2) + " px"},
           {"Pixels per seeing FWHM (" + Arcsec(sensor.seeingArcsec, 1) + ")",
            FormatFixed(s.seeingFwhmPx, 2) + " px"}}};
}

CameraBlock IlluminationBlock(const CameraPage& page) {
  CameraBlock block{"Illumination along the diagonal, relative to the axis", {}};
  for (const IlluminationPoint& point : page.illumination) {
    block.rows.push_back({Degrees(point.fieldAngle) + " off the axis, " +
                              FormatFixed(point.radius * MillimetresPerUnit(page.unit), 2) + " mm",
                          FormatPercent(point.relative, 1)});
  }
  block.rows.push_back({"Obstruction, diameter", FormatPercent(page.linearObstruction, 1)});
  block.rows.push_back({"Central hole bored through the blank",
                        page.holeDiameter > 0.0 ? trace::LengthText(page.holeDiameter, page.unit) : "none"});
  return block;
}

CameraBlock CornerBlock(const CameraPage& page) {
  const CornerFocus& c = page.corner;
  const double arcsecPerUnit = kArcsecPerRadian / page.focalLength;
  const double pixel = page.options.sensor.pixelUm;
  return {"Corner focus",
          {{"Sensor's corner off the axis", Degrees(page.scale.cornerField)},
           {"Corner's best focus from the axis'", Micrometres(page, c.defocus)},
           {"Critical focus zone (550 nm)", "\xB1" + Micrometres(page, c.criticalZone)},
           {"Field flattener", c.needsFlattener ? "needed" : "not needed"},
           {"Flat plane of least mean wavefront error", Micrometres(page, c.planeShift)},
           {"  corner's RMS spot radius there",
            FormatFixed(c.spotRms * MicrometresPerUnit(page.unit) / pixel, 2) + " px, " +
                Arcsec(c.spotRms * arcsecPerUnit, 2)},
           {"  corner's Strehl ratio there", FormatFixed(c.strehl, 3)}}};
}

CameraBlock ThermalBlock(const CameraPage& page) {
  const ThermalFocus& t = page.thermal;
  CameraBlock block{std::string("Thermal focus, ") + TubeMaterialName(page.options.material) + " tube",
                    {{"Focus shift per kelvin", Micrometres(page, t.shiftPerKelvin)},
                     {"Change moving it by the critical zone", FormatFixed(t.kelvinPerZone, 1) + " K"}}};
  if (page.options.temperatureChange != 0.0) {
    block.rows.push_back({"Focus shift for " + FormatFixed(page.options.temperatureChange, 1) + " K",
                          Micrometres(page, t.shiftForChange)});
  }
  return block;
}

}  // namespace

std::vector<CameraBlock> CameraBlocks(const CameraPage& page) {
  std::vector<CameraBlock> blocks = {SamplingBlock(page), IlluminationBlock(page), CornerBlock(page)};
  if (page.thermalKnown) blocks.push_back(ThermalBlock(page));
  return blocks;
}

std::string StopsText(const CameraPage& page) {
  if (page.baffled) return "Light stopped by the baffle plan of spekulor-cli baffles";
  return "Light stopped by the secondary alone: " + baffles::BaffleRefusalText(page.baffleProblem);
}

std::string FlattenerSentence(const CameraPage& page) {
  const CornerFocus& c = page.corner;
  const std::string where = "its best focus lies " + Micrometres(page, std::fabs(c.defocus)) +
                            " from the axis', ";
  if (c.needsFlattener) {
    return "The corner needs a field flattener: " + where + "outside the critical focus zone of \xB1" +
           Micrometres(page, c.criticalZone) + ".";
  }
  return "The corner needs no field flattener: " + where + "within the critical focus zone of \xB1" +
         Micrometres(page, c.criticalZone) + ".";
}

std::string FormatCameraTable(const CameraPage& page, TelescopeType type) {
  std::string out = std::string("Camera at the focus of the ") + TelescopeTypeName(type) + "\n" +
                    "Focal length " + trace::LengthText(page.focalLength, page.unit) + ", f/" +
                    FormatFixed(page.focalRatio, 2) + "\n" + StopsText(page) + "\n" +
                    FlattenerSentence(page) + "\n";
  for (const CameraBlock& block : CameraBlocks(page)) {
    out += "\n" + block.heading + "\n";
    for (const CameraRow& row : block.rows) {
      out += PadRight(row.label, kLabelWidth) + PadLeft(row.value, kValueWidth) + "\n";
    }
  }
  return out;
}

Table CameraFiguresTable(const CameraPage& page) {
  Table table;
  table.anchors = {TextAnchor::Start, TextAnchor::End};
  table.rowHeight = kTableRowHeight;
  for (const CameraBlock& block : CameraBlocks(page)) {
    TableRow head;
    head.spaceBefore = table.rows.empty() ? 0.0 : kTableRowHeight / 2.0;
    head.cells.push_back({block.heading, true, kInk, 0.0, 2});
    table.rows.push_back(head);
    for (const CameraRow& row : block.rows) {
      const size_t indent = row.label.find_first_not_of(' ');
      TableRow shown;
      shown.cells = {{row.label.substr(indent), false, kInk, indent == 0 ? 0.0 : kIndent}, {row.value}};
      table.rows.push_back(shown);
    }
  }
  return table;
}

}  // namespace spekulor::camera
