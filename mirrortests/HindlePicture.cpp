#include "mirrortests/HindlePicture.h"

#include <algorithm>
#include <cmath>

#include "drawing/Palette.h"
#include "drawing/PictureParts.h"
#include "drawing/SectionFrame.h"
#include "drawing/Table.h"
#include "mirrortests/HindleTrace.h"
#include "trace/LengthText.h"
#include "trace/TelescopeSection.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::trace;

namespace spekulor::mirrortests {

namespace {

constexpr double kMostWidth = 860.0;   // pixels for the bench's length
constexpr double kMostHeight = 360.0;  // pixels for the sphere's diameter at most
constexpr double kMargin = 40.0;
constexpr double kTop = 104.0;         // the sphere's upper rim

}  // namespace

Drawing BuildHindlePicture(const SecondaryTest& test, TelescopeType type, LengthUnit unit) {
  const HindleLayout& l = test.layout;
  const HindleBench bench = BenchOf(l, test.input, test.input.secondaryConic);
  const double Dt = test.input.testedDiameter;
  const double span = l.farFocus;
  const ConicMirror secondary{0.0, -1.0 / bench.secondaryRoc, bench.secondaryConic, Dt / 2.0};
  const ConicMirror sphere{l.sphereToSecondary, -1.0 / l.sphereRadius, 0.0,
                           l.sphereDiameter / 2.0};
  const double secondaryBack = MirrorSag(secondary, Dt / 2.0) - std::max(Dt / 6.0, 0.02 * span);
  const double sphereBack = l.sphereToSecondary + std::max(l.sphereDiameter / 12.0, 0.02 * span);
  const double height = std::max(l.sphereDiameter, Dt);
  SectionFrame frame;
  frame.zLeft = l.farFocus + 0.06 * span;
  const double zRight = secondaryBack - 0.04 * span;
  frame.left = kMargin;
  frame.scale = std::min(kMostWidth / (frame.zLeft - zRight), kMostHeight / height);
  frame.axisY = kTop + height / 2.0 * frame.scale;

  Drawing drawing;
  drawing.title = std::string("Hindle sphere test of the ") + TelescopeTypeName(type) +
                  "'s secondary";
  drawing.width = 2.0 * kMargin + (frame.zLeft - zRight) * frame.scale;
  std::vector<TextBox> placed;

  // The double pass: out along the rays, back along the same paths for a perfect
  // secondary; through the rim and through the rim of the untested centre.
  for (double h : {Dt / 2.0, l.untestedDiameter / 2.0, -l.untestedDiameter / 2.0, -Dt / 2.0}) {
    const std::vector<Vec3> path = HindleRayPath(bench, h);
    if (path.size() >= 3) AddRayPath(drawing, frame, {path[0], path[1], path[2]}, kAxisRays);
  }

  const double hole = l.holeDiameter / 2.0;
  AddMirrorInSection(drawing, frame, sphere, hole, l.sphereDiameter / 2.0, sphereBack);
  AddMirrorInSection(drawing, frame, sphere, -hole, -l.sphereDiameter / 2.0, sphereBack);
  AddMirrorInSection(drawing, frame, secondary, -Dt / 2.0, Dt / 2.0, secondaryBack);
  drawing.shapes.emplace_back(LineShape{frame(frame.zLeft, 0.0),
                                        frame(zRight, 0.0),
                                        {kLineGrey, 0.8, true}});
  const DrawPoint source = frame(l.farFocus, 0.0);
  drawing.shapes.emplace_back(CircleShape{source, 4.0, {kFocus, 2.0, false}});

  AddTitleRows(drawing, placed, drawing.title + ", to scale",
               "sphere radius " + LengthText(l.sphereRadius, unit) + ", diameter " +
                   LengthText(l.sphereDiameter, unit) + ", hole " +
                   LengthText(l.holeDiameter, unit) + "; untested centre " +
                   LengthText(l.untestedDiameter, unit));

  // The sphere's distance above, the source's below.
  const double xSecondary = frame(0.0, 0.0).x;
  const double xSphere = frame(l.sphereToSecondary, 0.0).x;
  const double top = frame(0.0, height / 2.0).y;
  const double bottom = frame(0.0, -height / 2.0).y;
  const double upperLine = top - 18.0;
  const size_t sFirst = drawing.shapes.size();
  AddDimension(drawing, xSphere, xSecondary, upperLine, frame(l.sphereToSecondary, hole).y - 4.0,
               frame(0.0, Dt / 2.0).y - 4.0);
  NamePart(drawing, "sphere to secondary", sFirst);
  AddTextAvoiding(drawing, placed,
                  {Label((xSphere + xSecondary) / 2.0, upperLine - 7.0,
                         LengthText(l.sphereToSecondary, unit), TextAnchor::Middle)});
  const double lowerLine = bottom + 36.0;
  const size_t aFirst = drawing.shapes.size();
  AddDimension(drawing, source.x, xSecondary, lowerLine, source.y + 6.0,
               frame(0.0, -Dt / 2.0).y + 4.0);
  NamePart(drawing, "source to secondary", aFirst);
  AddTextAvoiding(drawing, placed,
                  {Label((source.x + xSecondary) / 2.0, lowerLine + 18.0,
                         "source and eye at the far focus, " + LengthText(l.farFocus, unit),
                         TextAnchor::Middle)});

  const double namesY = bottom + 16.0;
  AddTextAvoiding(drawing, placed,
                  {Label(xSecondary, namesY, "secondary", TextAnchor::Middle),
                   Label(xSecondary + 8.0, namesY, "secondary", TextAnchor::Start)});
  AddTextAvoiding(drawing, placed,
                  {Label(xSphere, namesY, "sphere", TextAnchor::Middle),
                   Label(xSphere - 8.0, namesY, "sphere", TextAnchor::End)});
  AddTextAvoiding(drawing, placed,
                  {Label(source.x, source.y - 10.0, "source", TextAnchor::Middle, kLabelSize,
                         kFocus)});

  const double legendY = lowerLine + 50.0;
  const double x = AddStrokeLegend(
      drawing, placed, kMargin, legendY,
      {{{kAxisRays, 1.6, false},
        "rays out and back, through the rim and the untested centre's rim"}});
  AddSectionScaleBar(drawing, placed, x, legendY, frame, unit);

  // The test's figures under the bench.
  Table table;
  table.anchors = {TextAnchor::Start, TextAnchor::End};
  const auto row = [&table](const std::string& name, const std::string& value) {
    table.rows.push_back({{{name}, {value}}});
  };
  row("Sphere radius", LengthText(l.sphereRadius, unit));
  row("Sphere diameter", LengthText(l.sphereDiameter, unit));
  row("Sphere vertex to secondary", LengthText(l.sphereToSecondary, unit));
  row("Hole in the sphere", LengthText(l.holeDiameter, unit));
  row("Tested diameter", LengthText(Dt, unit));
  row("Untested centre", LengthText(l.untestedDiameter, unit));
  row("Centre the telescope never uses", LengthText(l.unusedCentre, unit));
  if (test.null.traced) {
    row("Null on the exact double pass",
        test.null.rmsWaves < 0.00005 ? "below 0.0001 waves RMS"
                                     : FormatFixed(test.null.rmsWaves, 4) + " waves RMS");
  }
  table.rows.front().ruleAbove = true;
  const double last = AddTable(drawing, placed, table, kMargin, legendY + 34.0, "figures");
  FitWidthToTexts(drawing, placed, kMargin);
  drawing.height = last + 20.0;
  return drawing;
}

}  // namespace spekulor::mirrortests
