// spekulor-cli's JSON documents, written in one form: nlohmann-json's, indented by two
// spaces, keys in the order given here, with a final line feed. JSON has no infinity:
// a figure that is not finite is null.
#ifndef SPEKULOR_CLI_JSONOUTPUT_H
#define SPEKULOR_CLI_JSONOUTPUT_H

#include <string>

#include "baffles/BafflePlan.h"
#include "calc/DesignInput.h"
#include "camera/CameraPage.h"
#include "collimation/Tolerances.h"
#include "mirrortests/MirrorTestPage.h"
#include "mirrortests/Refit.h"
#include "mirrortests/SecondaryTest.h"
#include "quality/ImageQuality.h"

namespace spekulor::cli {

// baffles --json: unit, image_circle_diameter, hole_diameter, secondary_baffle
// {diameter, z}, primary_baffle {diameter, z}, obstruction {linear, area} (fractions of
// the primary's diameter and area), focus_travel {back_focus_per_spacing}, checks
// {field_rays, field_rays_blocked, sky_lines, sky_lines_reaching_image}; lengths in the
// design's unit, z from the primary's vertex toward the sky.
std::string FormatBafflesJson(const baffles::BafflePlan& plan, calc::LengthUnit unit);

// camera --json: unit, focal_length, pixel_um, sensor_mm [w, h],
// image_scale_arcsec_per_px, field_arcmin [w, h], diagonal_arcmin, airy_diameter_px,
// seeing_fwhm_px, corner_field_deg, illumination (each field_deg, radius_mm, relative),
// corner_illumination, baffled, corner_defocus, critical_focus_zone (its half width),
// corner_spot_rms_px, corner_strehl, focus_shift_per_kelvin and kelvin_per_focus_zone
// (both null without a tube material). Lengths in the design's unit unless the key
// names another.
std::string FormatCameraJson(const camera::CameraPage& page);

// quality --json: wavelength_nm, focus, focus_shift, best_focus_surface_radius, fields
// (each with field_fraction, field_deg, focus_shift, rms_waves, pv_waves, strehl,
// strehl_marechal, ee80_diameter_um and mtf: its fraction_of_cutoff, cycles_per_mm,
// tangential, sagittal) and perfect (ee80_diameter_um, mtf: fraction_of_cutoff,
// value), and last, with a spider, spider (vanes, width, area_fraction: of the clear
// annulus, peak_ratio: the perfect point image's peak with the vanes over without).
// Lengths in the design's unit, a flat focal surface's radius null (as one flat within
// the depth of focus).
std::string FormatQualityJson(const quality::QualitySet& set);

// tolerances --json: budget_waves_rms, coma_free_pivot,
//   despace {back_focus_per_unit, w040_nm_per_unit, tolerance},
//   decenter {w131_nm_per_unit, image_shift_per_unit, tolerance},
//   tilt {w131_nm_per_degree, tolerance_deg},
// lengths in the design's unit, tolerances as magnitudes (null where the error stays
// within the budget over the whole range searched), numbers in their shortest exact
// form. Two keys are added only when they apply: "tolerance_limit" last in a kind's
// object, "jump" or "light lost", when the error jumps past the budget or the light is
// lost at the tolerance (ToleranceLimit); and "aligned_above_budget": true last in the
// document when the aligned design's own error is above the budget; then, with a
// spider, spider as quality gives it.
std::string FormatToleranceJson(const collimation::ToleranceAnalysis& analysis);

// primary-test --json: unit, radius_of_curvature, conic, diameter, source, zone_radius
// ("mean"), zones (inner, outer, radius, reading, reading_from_first), ronchi (offset,
// lines_per_inch, band_edges) and, with readings, reduction (measured,
// surface_error_nm, wavefront_rms_waves, wavefront_pv_waves, strehl, best_fit_conic,
// conic_difference; both null when no conic fits).
std::string FormatPrimaryTestJson(const mirrortests::MirrorTestPage& page);

// secondary-test --json: unit, secondary_roc, secondary_conic, tested_diameter,
// near_focus, far_focus, sphere_radius, sphere_diameter, sphere_to_secondary,
// hole_diameter, untested_diameter, unused_centre_diameter, null_rms_waves, conic_error,
// test_rms_waves (the null's without a conic error), telescope_rms_waves (the refocused
// axis with the secondary as figured). Lengths in the design's unit, waves at 550 nm.
std::string FormatSecondaryTestJson(const mirrortests::SecondaryTest& test, const mirrortests::SecondaryTestOptions& options,
                                    calc::LengthUnit unit);

// refit --json: unit, spacing, system_focal_length, back_focal_length, secondary_roc,
// secondary_conic, axis_rms_waves, edge_rms_waves, design_edge_rms_waves.
std::string FormatRefitJson(const mirrortests::RefitResult& refit, calc::LengthUnit unit);

}  // namespace spekulor::cli

#endif
