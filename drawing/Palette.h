// The colours of every picture, written once so that the same thing has the same
// colour on every tab: the ink, greys of frames and grids, the rays, the spots and
// Airy disks, the field points' curves, and the point images' intensity bands.
#ifndef SPEKULOR_DRAWING_PALETTE_H
#define SPEKULOR_DRAWING_PALETTE_H

#include "drawing/Drawing.h"

namespace spekulor::drawing {

inline constexpr Colour kInk{0x1a, 0x1a, 0x1a};       // text and strong lines
inline constexpr Colour kLineGrey{0x80, 0x80, 0x80};  // extension lines, axes, quiet text
inline constexpr Colour kCrossGrey{0x9a, 0x9a, 0x9a}; // a panel's cross hairs
inline constexpr Colour kFrame{0xc0, 0xc0, 0xc0};     // panels' frames, table rules
inline constexpr Colour kGridGrey{0xe4, 0xe4, 0xe4};  // plots' grids
inline constexpr Colour kHeaderFill{0xee, 0xf2, 0xf7};  // behind a table's header

// The telescope in section.
inline constexpr Colour kGlass{0xd5, 0xe1, 0xec};
inline constexpr Colour kAxisRays{0x1f, 0x5f, 0xbf};
inline constexpr Colour kFieldRays{0xc8, 0x3c, 0x1e};
inline constexpr Colour kFocus{0x2e, 0x7d, 0x32};
inline constexpr Colour kBaffle{0x3a, 0x3a, 0x3a};
inline constexpr Colour kSkyLine{0x8e, 0x24, 0xaa};

// Spots, and the perfect aperture's ring drawn over spots and point images.
inline constexpr Colour kDots{0x1f, 0x4f, 0x9f};
inline constexpr Colour kAiry{0xc8, 0x3c, 0x1e};
// The perfect aperture's first dark ring over a point image, clear of every band.
inline constexpr Colour kRing{0x00, 0x96, 0xc7};

// The three field points (on the axis, 0.7 and the edge of the field).
inline constexpr Colour kFieldColours[] = {{0x1f, 0x4f, 0x9f}, {0x2e, 0x8b, 0x57}, {0xc8, 0x3c, 0x1e}};

// The point images' intensity bands (IntensityBands.h), faint to bright: the
// 'inferno' colour map of matplotlib (N. Smith and S. van der Walt, 2015) read from
// its bright end, so that the faintest light lies palest on the paper and the core
// darkest.
inline constexpr Colour kBandColours[] = {
    {0xfc, 0xff, 0xa4}, {0xf7, 0xd1, 0x3d}, {0xfb, 0x9b, 0x06}, {0xed, 0x69, 0x25},
    {0xcf, 0x44, 0x46}, {0xa5, 0x2c, 0x60}, {0x78, 0x1c, 0x6d}, {0x1b, 0x0c, 0x41}};

}  // namespace spekulor::drawing

#endif
