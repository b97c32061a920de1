// The pictures window's pages for one completed design.
#ifndef SPEKULOR_DIALOG_DESIGNPICTURESET_H
#define SPEKULOR_DIALOG_DESIGNPICTURESET_H

#include "calc/Calculate.h"
#include "dialog/PictureSet.h"
#include "dialog/PupilPageOptions.h"

namespace spekulor::dialog {

// The tab title of page `page` (a PicturePageIndex), Windows-1252; empty for no page.
const char* PicturePageTitle(int page);

// The page `page` (a PicturePageIndex) of the pictures window: its analysis' drawings,
// or its refusal above what it could still draw; the Image quality and Collimation
// pages with `pupil`'s obstruction and spider. `calculation` must have passed the
// required-input rules. Pure: safe on any thread.
PicturePage DrawPicturePage(const calc::Calculation& calculation, int page,
                            const PupilPageOptions& pupil = PupilPageOptions());

// One page per analysis, in PicturePageIndex order: the layout and spot diagrams, the
// image quality, the baffles and hole, the collimation tolerances, the mirror tests. `calculation` must have passed the
// required-input rules.
PictureSet DrawPictureSet(const calc::Calculation& calculation);

}  // namespace spekulor::dialog

#endif
