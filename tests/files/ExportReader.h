// A reader, for the tests only, of the part of the Zemax lens file (.zmx) and the CODE
// V sequence file (.seq) that the export writes, and a paraxial trace of what it read
// in those programs' own sign convention. Anything outside that part is an error, so
// a card the export should not write fails the tests.
//
// Paraxial trace (Welford, "Aberrations of Optical Systems", sec. 2.7, the y-nu
// method): at each surface n'u' = nu - y c (n' - n), with n' = -n at a mirror; from one
// surface to the next y' = y + t u'. For a ray parallel to the axis at height h the
// effective focal length is -h / (n'u') after the last surface, and the paraxial focus
// lies -y / u' beyond it, in the direction the file's thicknesses count.
#ifndef SPEKULOR_TESTS_FILES_EXPORTREADER_H
#define SPEKULOR_TESTS_FILES_EXPORTREADER_H

#include <string>
#include <vector>

#include "calc/DesignInput.h"
#include "calc/DesignResult.h"

struct ReadSurface {
  double curvature = 0.0;     // 1 / radius, 0 for a plane
  double thickness = 0.0;     // to the next surface; infinite for the object at infinity
  double conic = 0.0;
  bool mirror = false;
  bool stop = false;
  double semiDiameter = 0.0;  // 0 when none is given
  double obscuration = 0.0;   // radius of a central circular obscuration, 0 when none
};

struct ReadSystem {
  std::string error;  // empty when the text was read
  std::string name;
  spekulor::calc::LengthUnit unit = spekulor::calc::LengthUnit::Millimetre;
  double entrancePupilDiameter = 0.0;
  std::vector<double> fieldX;  // angle fields, degrees
  std::vector<double> fieldY;
  std::vector<double> wavelengthsMicrometres;
  int primaryWavelength = 0;          // 1-based
  std::vector<ReadSurface> surfaces;  // object first, image last
};

ReadSystem ReadZemaxSubset(const std::string& text);
ReadSystem ReadCodeVSubset(const std::string& text);

struct ParaxialResult {
  double effectiveFocalLength = 0.0;
  double focusBeyondLastSurface = 0.0;  // from the surface before the image
};
ParaxialResult TraceParaxial(const ReadSystem& system);

// The two-mirror design the file describes, in the magnitudes of DesignResult.h, for
// the object, shadow, primary, secondary, image layout: D (the entrance pupil), the
// full field (twice the last y field), f1 = -1 / (2 c1), R2 = -1 / c2, d (the
// shadow's thickness), both conics and SecDia (twice the secondary's semi-diameter);
// then completed by the program's own paraxial solver from R2 and p = f1 - d
// (SolveGeometry, path FromSecPriFocDist), which gives F, m, q and b. The image
// surface's place is not used: the tests compare it with that b. `problem` tells why
// the file is not that layout, empty when it is.
spekulor::calc::DesignResult TwoMirrorDesignOf(const ReadSystem& system, std::string& problem);

#endif
