// Columns of the plain-text tables (the report's and the analyses'): a text padded
// with blanks to a width, on the left for numbers, on the right for labels. A text as
// wide or wider stays as it is.
#ifndef SPEKULOR_SUPPORT_TEXTCOLUMNS_H
#define SPEKULOR_SUPPORT_TEXTCOLUMNS_H

#include <cstddef>
#include <string>

namespace spekulor::support {

inline std::string PadLeft(const std::string& text, std::size_t width) {
  return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

inline std::string PadRight(const std::string& text, std::size_t width) {
  return text.size() < width ? text + std::string(width - text.size(), ' ') : text;
}

}  // namespace spekulor::support

#endif
