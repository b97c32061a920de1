// The Hindle sphere: the null test of a convex hyperboloid secondary.
//
// A hyperboloid of vertex radius R2 and conic K2 < -1 (eccentricity e = sqrt(-K2)) has its
// foci on the axis B = R2 / (1 + e) behind its vertex and A = R2 / (e - 1) in front of it
// (the conic's focal distances from its vertex, Malacara, "Optical Shop Testing", 3rd ed.,
// sec. 12.2 and 18.2.1). Light from a point source at A leaves the convex surface as if
// it came from B; a concave sphere of radius RS centred on B returns it on itself, and it
// comes back to A through a hole in the sphere. The sphere's vertex stands
// S = RS - B in front of the secondary, B < RS < A + B.
//
// Seen from A, the tested diameter D_t of the secondary fills the sphere to the diameter
// D_t RS / B (the rays from B through the secondary's rim); the hole that passes the
// light to and from A, drilled where the sphere is crossed by the cone from A to the
// rim, is D_t (A - S) / A across, and the light from A through the hole's rim meets the
// secondary inside D_t B (A + B - RS) / (A RS): the centre the test cannot see.
//
// All lengths in the design's unit.
#ifndef SPEKULOR_MIRRORTESTS_HINDLESPHERE_H
#define SPEKULOR_MIRRORTESTS_HINDLESPHERE_H

namespace spekulor::mirrortests {

// What the test needs of the secondary and of the telescope it is made for.
struct HindleInput {
  double secondaryRoc = 0.0;     // R2, magnitude
  double secondaryConic = 0.0;   // K2
  double testedDiameter = 0.0;   // D_t: the secondary's diameter
  double unusedCentre = 0.0;     // the centre the telescope's own shadow hides (diameter)
  double primaryDiameter = 0.0;  // D: what "a large sphere" is measured against
};

// Why a Hindle sphere cannot be laid out.
enum class HindleProblem {
  None,
  NotAHyperboloid,  // K2 >= -1: a sphere, an ellipsoid or a paraboloid (detail: K2)
  SphereTooSmall,   // RS <= B: the sphere would not reach past the secondary (detail: B)
  SphereTooLarge,   // RS >= A + B: the source would stand inside the sphere (detail: A + B)
  NotFinite         // a length of the design is not a finite positive number
};

struct HindleLayout {
  HindleProblem problem = HindleProblem::None;
  double problemDetail = 0.0;
  double nearFocus = 0.0;          // B, behind the secondary's vertex
  double farFocus = 0.0;           // A, in front of it: the source and the eye
  double sphereRadius = 0.0;       // RS
  double sphereDiameter = 0.0;     // D_t RS / B
  double sphereToSecondary = 0.0;  // S = RS - B, vertex to vertex
  double holeDiameter = 0.0;       // D_t (A - S) / A
  double untestedDiameter = 0.0;   // D_t B (A + B - RS) / (A RS)
  double unusedCentre = 0.0;       // from the input
  // A sphere larger than the primary is hard to come by: then the sphere as large as
  // the primary, and the centre it leaves untested.
  bool largerThanPrimary = false;
  double primarySizedRadius = 0.0;
  double primarySizedUntested = 0.0;
};

// The untested centre's diameter for a sphere of radius `sphereRadius`.
double HindleUntestedDiameter(double nearFocus, double farFocus, double testedDiameter,
                              double sphereRadius);

// The smallest sphere whose untested centre is no larger than `unusedCentre`: from
// D_t B (A + B - RS) / (A RS) = U, RS = D_t B (A + B) / (A U + D_t B).
double SmallestHindleSphere(double nearFocus, double farFocus, double testedDiameter,
                            double unusedCentre);

// The layout for the sphere of radius `sphereRadius`, or, when it is 0, the smallest
// sphere that tests everything the telescope uses.
HindleLayout LayOutHindleSphere(const HindleInput& input, double sphereRadius);

}  // namespace spekulor::mirrortests

#endif
