// A panel: a framed square with its title, bold, and an optional line under it above
// the frame, and optionally dashed cross hairs through its centre. Spots and point
// images are drawn in panels, side by side.
#ifndef SPEKULOR_DRAWING_PANEL_H
#define SPEKULOR_DRAWING_PANEL_H

#include <string>
#include <vector>

#include "drawing/Drawing.h"

namespace spekulor::drawing {

struct Panel {
  double left = 0.0;
  double top = 0.0;
  double size = 0.0;  // pixels across and down
  DrawPoint Centre() const { return {left + size / 2.0, top + size / 2.0}; }
  double Bottom() const { return top + size; }
};

// The title rows above the panel: the title's baseline 24 pixels above its top, the
// subtitle's 8 (none when empty).
void AddPanelTitles(Drawing& drawing, std::vector<TextBox>& placed, const Panel& panel,
                    const std::string& title, const std::string& subtitle);

// The frame, and the cross hairs when asked; painted where it is called, so call it
// over a point image, which fills the panel to its edges, and under spots.
void AddPanelFrame(Drawing& drawing, const Panel& panel, bool crossHairs);

}  // namespace spekulor::drawing

#endif
