// The figures of the camera analysis as rows, written once, and their two renderings:
// the readable table of spekulor-cli and the table drawn in the picture. Texts are
// Windows-1252.
#ifndef SPEKULOR_CAMERA_CAMERATABLE_H
#define SPEKULOR_CAMERA_CAMERATABLE_H

#include <string>
#include <vector>

#include "calc/DesignInput.h"
#include "camera/CameraPage.h"
#include "drawing/Drawing.h"
#include "drawing/Table.h"

namespace spekulor::camera {

struct CameraRow {
  std::string label;  // a leading indent marks a detail of the row above
  std::string value;  // with its unit
};

struct CameraBlock {
  std::string heading;
  std::vector<CameraRow> rows;
};

// The sampling, the illumination, the corner's focus and, with a tube material, the
// thermal focus. For a page that succeeded (page.ok()).
std::vector<CameraBlock> CameraBlocks(const CameraPage& page);

// What the light is stopped by: "the baffle plan of spekulor-cli baffles" or "the
// secondary alone (the design cannot be baffled: ...)".
std::string StopsText(const CameraPage& page);

// The corner's verdict in a sentence: whether it needs a field flattener, and why.
std::string FlattenerSentence(const CameraPage& page);

// "Camera at the focus of the <type>", the focal length and ratio, the verdict, then
// the blocks as aligned columns; LF line ends.
std::string FormatCameraTable(const CameraPage& page, calc::TelescopeType type);

// The blocks as one table to draw: a bold heading a block, labels left, values right.
drawing::Table CameraFiguresTable(const CameraPage& page);

}  // namespace spekulor::camera

#endif
