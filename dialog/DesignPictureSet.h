// The pictures window's pages for one completed design.
#ifndef SPEKULOR_DIALOG_DESIGNPICTURESET_H
#define SPEKULOR_DIALOG_DESIGNPICTURESET_H

#include "Calculate.h"
#include "PictureSet.h"

// One page per analysis, in PicturePageIndex order: the layout and spot diagrams, the
// image quality, the baffles and hole, the collimation tolerances. `calculation` must have passed the
// required-input rules.
PictureSet DrawPictureSet(const Calculation& calculation);

#endif
