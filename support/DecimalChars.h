// Doubles as decimal text, "." whatever the locale, exactly as std::to_chars writes them:
// the shortest text that reads back as the value (fixed or scientific, whichever is
// shorter, fixed on a tie), or a given number of decimals in fixed or scientific form.
//
// Standard libraries without to_chars for doubles (the libc++ of Debian's emscripten)
// get the same texts from printf and strtod: correctly rounded both (C11 7.21.6.1 and
// 7.22.1.3, as musl implements them), and with no locale but "C" in such a build. The
// shortest form takes the fewest significant digits that read back, each count rounded
// by printf (Steele and White's free-format condition, as Ryu and to_chars apply it).
#ifndef SPEKULOR_SUPPORT_DECIMALCHARS_H
#define SPEKULOR_SUPPORT_DECIMALCHARS_H

#include <string>

namespace spekulor::support {

// For finite values.
std::string ShortestDecimal(double value);
std::string FixedDecimal(double value, int decimals);
std::string ScientificDecimal(double value, int decimals);

// The printf and strtod way, used where to_chars is missing; the process must have
// the "C" numeric conventions.
std::string PrintfShortestDecimal(double value);
std::string PrintfFixedDecimal(double value, int decimals);
std::string PrintfScientificDecimal(double value, int decimals);

}  // namespace spekulor::support

#endif
