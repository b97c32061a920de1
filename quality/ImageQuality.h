// How sharp a completed design images a star: the wavefront error, Strehl ratio,
// point image, MTF and encircled energy at the three field points of the spot
// diagrams (on the axis, 0.7 and 1.0 of the half field), from the exact trace, in the
// paraxial image plane or in the best flat focal plane, beside the perfect aperture
// with the same central obstruction.
#ifndef SPEKULOR_QUALITY_IMAGEQUALITY_H
#define SPEKULOR_QUALITY_IMAGEQUALITY_H

#include <array>
#include <vector>

#include "DesignInput.h"
#include "DesignResult.h"
#include "EncircledEnergy.h"
#include "FourierPlans.h"
#include "Mtf.h"
#include "PointImage.h"
#include "QualityConstants.h"
#include "SpotDiagram.h"

enum class FocusMode {
  Paraxial,  // the paraxial image plane, as the spot diagrams
  Best       // the one flat plane of least mean RMS wavefront error over the three points
};

struct QualityOptions {
  FocusMode focus = FocusMode::Best;
  double wavelengthNm = kWavelengthMm * 1e6;
  int gridSize = kDefaultQualityGrid;  // pupil cells across the primary
};

// The central part of a point image, for pictures: samples centred on the reference
// point, relative to the perfect peak.
struct PointImageWindow {
  int size = 0;          // samples across (odd)
  double spacing = 0.0;  // design unit
  std::vector<double> intensity;  // size * size, row (along y) after row
};

struct FieldQuality {
  double fieldFraction = 0.0;   // of the half field
  double fieldAngle = 0.0;      // radians
  double ownBestFocus = 0.0;    // this point's own best focus shift, design unit
  double ownBestHeight = 0.0;   // its image's height there, design unit
  double imageHeight = 0.0;     // the image's height in the plane used, design unit
  double rmsWaves = 0.0;        // piston and tilt removed
  double pvWaves = 0.0;
  double strehl = 0.0;          // from the point image
  double strehlMarechal = 0.0;  // from rmsWaves
  double ee80Diameter = 0.0;    // design unit
  std::array<double, kMtfFractions.size()> mtfTangential{};
  std::array<double, kMtfFractions.size()> mtfSagittal{};
  MtfCurves mtf;                // at k / gridSize of the cutoff
  EnergyCurve energy;           // radius in the design unit
  PointImageWindow image;
  double largestWaveStep = 0.0;  // waves; above 0.5 the pupil grid is too coarse
};

struct PerfectQuality {
  double firstDarkRing = 0.0;   // design unit
  double ee80Diameter = 0.0;    // design unit
  std::array<double, kMtfFractions.size()> mtf{};
  std::vector<double> mtfCurve;  // at k / gridSize of the cutoff
  EnergyCurve energy;            // radius in the design unit
};

struct QualitySet {
  QualityOptions options;
  double wavelength = 0.0;          // design unit
  double micrometresPerUnit = 0.0;  // 1000 for mm, 25400 for inch
  double focalRatio = 0.0;          // N = F / D
  double obstruction = 0.0;         // secondary diameter / primary diameter
  double cutoffPerMm = 0.0;         // 1 / (lambda N), cycles per millimetre
  double airyRadius = 0.0;          // 1.22 lambda N, design unit
  double focusShift = 0.0;          // the plane used, from the paraxial one, design unit,
                                    // positive away from the primary
  double focalSurfaceRadius = 0.0;  // through the three own best foci, design unit,
                                    // negative when curved toward the sky
  std::array<FieldQuality, kSpotFieldFractions.size()> fields;
  PerfectQuality perfect;
};

// The transform size for a pupil grid: kImagePadding times as many samples.
int PointImageSize(int gridSize);

// The FFTW plans and the point image's storage for one pupil grid, made once and
// reused by every analysis at that grid.
struct QualityWorkspace {
  explicit QualityWorkspace(int gridSize);
  int gridSize;
  FourierPlans plans;
  PointImage image;
};

// The whole analysis of a completed, traceable design (see TelescopeProblem), its
// lengths in `unit`. The first form makes its own workspace; the second uses one made
// for options.gridSize (otherwise it makes its own all the same).
QualitySet ComputeImageQuality(const DesignResult& design, LengthUnit unit,
                               const QualityOptions& options);
QualitySet ComputeImageQuality(const DesignResult& design, LengthUnit unit,
                               const QualityOptions& options, QualityWorkspace& workspace);

#endif
