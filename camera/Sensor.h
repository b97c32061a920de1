// The sensor at the telescope's focus: how finely it samples the sky and how much of
// it it covers.
//
// Given the system focal length F (mm), the focal ratio N, the pixel's side P (um),
// the sensor's sides (mm) and the seeing's FWHM (arcsec); returned the image scale,
// 206.265 P / F arcsec per pixel (P in um, F in mm: the radian's 206 265 arcsec, small
// angles), the field's sides and diagonal as the angles 2 atan(s / 2F), the Airy disk's
// diameter 2.44 lambda N at 550 nm (to its first dark ring, Born and Wolf, "Principles
// of Optics", sec. 8.5.2) and the seeing disk, both in pixels. The same relations as the
// astronomers' plate scale (Schroeder, "Astronomical Optics", sec. 2.4).
#ifndef SPEKULOR_CAMERA_SENSOR_H
#define SPEKULOR_CAMERA_SENSOR_H

namespace spekulor::camera {

// The seeing assumed when none is given: 2 arcsec FWHM, an ordinary site's night.
constexpr double kDefaultSeeingArcsec = 2.0;

struct SensorOptions {
  double pixelUm = 0.0;   // the pixel's side
  double widthMm = 0.0;   // the sensor's sides
  double heightMm = 0.0;
  double seeingArcsec = kDefaultSeeingArcsec;  // FWHM
};

struct SensorScale {
  double arcsecPerPixel = 0.0;
  double fieldWidthArcmin = 0.0;
  double fieldHeightArcmin = 0.0;
  double diagonalArcmin = 0.0;
  double halfDiagonalMm = 0.0;   // the corner's distance from the axis
  double cornerField = 0.0;      // radians, atan(half diagonal / F)
  double airyDiameterPx = 0.0;   // 2.44 lambda N / P
  double seeingFwhmPx = 0.0;     // seeing / image scale: pixels per seeing FWHM
};

// The image scale alone: 206.265 P / F, arcsec per pixel.
double ImageScale(double pixelUm, double focalLengthMm);

SensorScale ComputeSensorScale(const SensorOptions& sensor, double focalLengthMm, double focalRatio);

}  // namespace spekulor::camera

#endif
