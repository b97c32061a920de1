// How sharp a completed design images a star: the wavefront error, Strehl ratio,
// point image, MTF and encircled energy at the three field points of the spot
// diagrams (on the axis, 0.7 and 1.0 of the half field), from the exact trace, in the
// paraxial image plane or in the best flat focal plane, beside the perfect aperture
// with the same central obstruction.
//
// The pipeline: trace each field point's pupil (PupilTrace.h); find each point's own
// best focus and the focal surface through them, and the common plane (FocusSearch.h);
// in that plane the wavefront (Wavefront.h), the pupil function and its point image
// (PointImage.h), the MTF (Mtf.h) and the encircled energy (EncircledEnergy.h); and the
// perfect aperture in closed form (PerfectAperture.h).
#ifndef SPEKULOR_QUALITY_IMAGEQUALITY_H
#define SPEKULOR_QUALITY_IMAGEQUALITY_H

#include <array>
#include <string>
#include <vector>

#include "trace/AnalysisWording.h"
#include "calc/DesignInput.h"
#include "calc/DesignResult.h"
#include "quality/CentralObstruction.h"
#include "quality/EncircledEnergy.h"
#include "quality/FourierPlans.h"
#include "quality/Mtf.h"
#include "quality/PointImage.h"
#include "quality/PointImageWindow.h"
#include "quality/QualityConstants.h"
#include "quality/QualityProblem.h"
#include "quality/Spider.h"
#include "trace/SecondaryPerturbation.h"
#include "trace/SpotDiagram.h"

namespace spekulor::quality {

enum class FocusMode {
  Paraxial,  // the paraxial image plane, as the spot diagrams
  Best       // the one flat plane of least mean RMS wavefront error over the three points
};

struct QualityOptions {
  FocusMode focus = FocusMode::Best;
  double wavelengthNm = calc::kReferenceWavelengthNm;
  int gridSize = kDefaultQualityGrid;  // pupil cells across the primary
  // The secondary as it stands in the tube: aligned unless a misalignment is given
  // (SecondaryPerturbation.h); the design's own figures stay those of the aligned one.
  trace::SecondaryPerturbation secondary;
  // The pupil's central obstruction (the perfect aperture's too) and the spider's vanes.
  CentralObstruction obstruction;
  Spider spider;
};

// Why the options cannot be used, or no problem when they can: the grid from
// kLeastQualityGrid to kMostQualityGrid, the wavelength from kLeastWavelengthNm to
// kMostWavelengthNm.
QualityProblem QualityOptionsProblem(const QualityOptions& options);

// Why the obstruction and the spider cannot stand in the design (ObstructionFits,
// SpiderFits), or no problem.
QualityProblem PupilStopsProblem(const calc::DesignResult& design, const CentralObstruction& obstruction,
                                 const Spider& spider);

// Why a completed design cannot be analysed with the options before any analysis, or
// no problem: it must be traceable (TelescopeProblem), the options usable, the
// obstruction and the spider fit (PupilStopsProblem), and the misalignment one the
// trace can take (PerturbationProblem), checked in that order.
QualityProblem QualityInputsProblem(const calc::DesignResult& design, const QualityOptions& options);

struct FieldQuality {
  double fieldFraction = 0.0;   // of the half field
  double fieldAngle = 0.0;      // radians
  int raysPassing = 0;          // pupil cells' centre rays passing the obstruction's disc
  int raysImaged = 0;           // and of those, reaching the image
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
  double largestWaveStep = 0.0;  // waves; above kLargestWaveStep the pupil grid is too coarse
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
  double micrometresPerUnit = 0.0;  // MicrometresPerUnit
  double focalRatio = 0.0;          // N = F / D
  double obstruction = 0.0;         // the obstruction's diameter / primary diameter
  double cutoffPerMm = 0.0;         // 1 / (lambda N), cycles per millimetre
  // Signs of the two below: calc/SignConventions.h.
  double focusShift = 0.0;          // the plane used, from the paraxial one, design unit
  double focalSurfaceRadius = 0.0;  // through the three own best foci, design unit;
                                    // infinite for a flat field, and for one flat
                                    // within the depth of focus
  // 2 lambda N^2, design unit: the focus shift that adds a quarter wave of defocus, the
  // Rayleigh limit's depth of focus either side of a focus (W. J. Smith, "Modern
  // Optical Engineering", on depth of focus: +-2 lambda (f/#)^2).
  double depthOfFocus = 0.0;
  // The field points' own best foci all lie within depthOfFocus of the axis's: the
  // focal surface is flat for every purpose, and a radius through them would fit noise.
  bool focalSurfaceWithinDepth = false;
  double thirdOrderFieldRadius = 0.0;  // the report's radius of field curvature
  std::array<FieldQuality, calc::kSpotFieldFractions.size()> fields;
  PerfectQuality perfect;   // the annulus alone, in closed form
  SpiderFigures spider;     // what the vanes cost the perfect aperture
};

// The transform size for a pupil grid: kImagePadding times as many samples.
int PointImageSize(int gridSize);

// The FFTW plans and the point image's storage for one pupil grid, made once and
// reused by every analysis at that grid. Plans are made with FFTW's planner, which
// is not thread-safe: make workspaces on one thread at a time.
struct QualityWorkspace {
  explicit QualityWorkspace(int gridSize);
  int gridSize;
  FourierPlans plans;
  PointImage image;
};

// The whole analysis of a completed, traceable design (see TelescopeProblem) with
// usable options (QualityInputsProblem), its lengths in `unit`. The first form makes
// its own workspace; the second uses one made for options.gridSize (otherwise it
// makes its own all the same). Check the result with QualitySetProblem before use.
QualitySet ComputeImageQuality(const calc::DesignResult& design, calc::LengthUnit unit,
                               const QualityOptions& options);
QualitySet ComputeImageQuality(const calc::DesignResult& design, calc::LengthUnit unit,
                               const QualityOptions& options, QualityWorkspace& workspace);

// Why an analysed set cannot stand as a result, or no problem when it can: a field
// point at which fewer than half of the rays that pass the secondary reach the image
// (Untraceable with LightLost, as the spot diagrams), or whose wavefront changes
// faster than the pupil grid can follow (WavefrontTooSteep).
QualityProblem QualitySetProblem(const QualitySet& set);

}  // namespace spekulor::quality

#endif
