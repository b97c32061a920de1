#include "drawing/Panel.h"

#include "drawing/Palette.h"
#include "drawing/PictureParts.h"

namespace spekulor::drawing {

void AddPanelTitles(Drawing& drawing, std::vector<TextBox>& placed, const Panel& panel,
                    const std::string& title, const std::string& subtitle) {
  const double centreX = panel.Centre().x;
  AddTextAvoiding(drawing, placed,
                  {Label(centreX, panel.top - 24.0, title, TextAnchor::Middle, 13.0, kInk, true)});
  if (!subtitle.empty()) {
    AddTextAvoiding(drawing, placed, {Label(centreX, panel.top - 8.0, subtitle, TextAnchor::Middle)});
  }
}

void AddPanelFrame(Drawing& drawing, const Panel& panel, bool crossHairs) {
  const double right = panel.left + panel.size;
  const double bottom = panel.Bottom();
  if (crossHairs) {
    const DrawPoint centre = panel.Centre();
    const Stroke hair{kCrossGrey, 0.5, true};
    drawing.shapes.emplace_back(LineShape{{panel.left, centre.y}, {right, centre.y}, hair});
    drawing.shapes.emplace_back(LineShape{{centre.x, panel.top}, {centre.x, bottom}, hair});
  }
  PolylineShape box;
  box.points = {{panel.left, panel.top}, {right, panel.top}, {right, bottom}, {panel.left, bottom}};
  box.closed = true;
  box.stroke = {kFrame, 1.0, false};
  drawing.shapes.emplace_back(box);
}

}  // namespace spekulor::drawing
