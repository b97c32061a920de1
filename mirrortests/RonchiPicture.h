// The Ronchigrams of a primary side by side: the lit bands over the mirror's disc,
// the secondary's shadow marked, each captioned with its grating, offset and source.
// Coordinates in pixels, one pixel a sample.
#ifndef SPEKULOR_MIRRORTESTS_RONCHIPICTURE_H
#define SPEKULOR_MIRRORTESTS_RONCHIPICTURE_H

#include <string>
#include <vector>

#include "mirrortests/Ronchigram.h"
#include "drawing/Drawing.h"

namespace spekulor::mirrortests {

// "1.234 mm outside the centre of curvature, source moving with the grating".
std::string RonchiCaption(const RonchiSetup& setup, calc::LengthUnit unit);

drawing::Drawing DrawRonchigrams(const PrimaryUnderTest& primary, const std::vector<Ronchigram>& grams);

}  // namespace spekulor::mirrortests

#endif
