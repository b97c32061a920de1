// The Hindle test drawn to scale in section: the source and eye at the far focus, the
// sphere with its hole, the secondary on its blank, and the double pass of the rays
// through the secondary's rim and the rim of its untested centre.
#ifndef SPEKULOR_MIRRORTESTS_HINDLEPICTURE_H
#define SPEKULOR_MIRRORTESTS_HINDLEPICTURE_H

#include "calc/DesignInput.h"
#include "drawing/Drawing.h"
#include "mirrortests/SecondaryTest.h"

namespace spekulor::mirrortests {

// For a laid-out test (test.layout.problem None).
drawing::Drawing BuildHindlePicture(const SecondaryTest& test, calc::TelescopeType type, calc::LengthUnit unit);

}  // namespace spekulor::mirrortests

#endif
