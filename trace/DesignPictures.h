// Both pictures of a design from the window's twelve values, read and checked the way
// Calculate reads and checks them.
#ifndef SPEKULOR_TRACE_DESIGNPICTURES_H
#define SPEKULOR_TRACE_DESIGNPICTURES_H

#include <string>

#include "DesignInput.h"
#include "Drawing.h"

struct DesignPictures {
  // Empty when the pictures were drawn; otherwise the text of the box to show: a
  // refusal exactly as Calculate's box shows it ("Error %d\r\n" and the message), or
  // why the completed design cannot be traced.
  std::string errorText;
  Drawing layout;
  Drawing spots;
  bool ok() const { return errorText.empty(); }
};

DesignPictures DrawDesignPictures(const DesignFields& fields, int spotRays);

#endif
