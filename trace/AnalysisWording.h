// The words the analyses' messages share: who reads a message, and where a field
// point lies.
//
// A refusal names what its reader can change. The window's user changes the design's
// entries only; spekulor-cli's user also sets the analyses' options (pupil grid,
// wavelength, rays), so a message that differs between the two is formatted once,
// with its reader as a parameter.
#ifndef SPEKULOR_TRACE_ANALYSISWORDING_H
#define SPEKULOR_TRACE_ANALYSISWORDING_H

#include <string>

namespace spekulor::trace {

enum class MessageReader {
  Window,      // the pictures window: the design's entries can be changed
  CommandLine  // spekulor-cli: the entries and the analyses' options
};

// Where the field point at `fieldFraction` of the half field lies, as a message puts
// it after a noun: "on the axis" at 0, "at the edge of the field" at 1, otherwise
// "at 0.7 of the field" (one decimal).
std::string FieldPlace(double fieldFraction);

}  // namespace spekulor::trace

#endif
