// The pictures window's pages for one completed design.
#ifndef SPEKULOR_DIALOG_DESIGNPICTURESET_H
#define SPEKULOR_DIALOG_DESIGNPICTURESET_H

#include "calc/Calculate.h"
#include "dialog/PictureOptions.h"
#include "dialog/PictureSet.h"

namespace spekulor::dialog {

// The tab title of page `page` (a PicturePageIndex), Windows-1252; empty for no page.
const char* PicturePageTitle(int page);

// The page `page` (a PicturePageIndex) of the pictures window: its analysis' drawings,
// or its refusal above what it could still draw, the analysis run with `options`
// (constructed: the command line's defaults; the Image quality and Collimation pages
// with the skirt baffle's obstruction of the Baffles page's plan when the design can be
// baffled). `calculation` must have passed the
// required-input rules. Pure: safe on any thread. A Layout page with a misaligned
// secondary has a notice saying so.
PicturePage DrawPicturePage(const calc::Calculation& calculation, int page,
                            const PictureOptions& options = PictureOptions());

// One page per analysis, in PicturePageIndex order: the layout and spot diagrams, the
// image quality, the baffles and hole, the collimation tolerances, the mirror tests, the
// camera with the start-up sensor. `calculation` must have passed the required-input
// rules.
PictureSet DrawPictureSet(const calc::Calculation& calculation);

}  // namespace spekulor::dialog

#endif
