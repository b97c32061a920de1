#include "calc/Report.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "calc/Aberrations.h"
#include "support/NumericLocale.h"

using namespace spekulor::support;

namespace spekulor::calc {

namespace {

const char* NumberFormat(int code) {
  switch (code) {
    case -2: return "%0.4f";
    case -1: return "%0.1f";
    case 0: return "%6.0f";
    case 1: return "%8.1f";
    case 2: return "%9.2f";
    case 3: return "%10.3f";
    case 4: return "%11.4f";
    default: return "%9.2f";
  }
}

// What follows a line's value.
enum class Tail {
  None,             // nothing
  Unit,             // the unit suffix
  UnitAndRatio,     // the unit suffix and " (f/" value / PriDia ")"
  Percent,          // " %"
  SpacedArcsec,     // " \""
  UnitAndCurvature, // the unit suffix and "   (curvature is from|toward sky)"
  Times,            // "x"
  Arcsec,           // "\""
  TimesEyepiece     // "x (" eyepiece "mm eyepiece)"
};

struct ReportLine {
  std::string_view text;               // line break and 43-character label, or a plain literal
  double DesignResult::*value;         // null for a literal-only piece
  int code;                            // FormatNumber precision code
  Tail tail;
  double DesignResult::*eyepiece;      // for TimesEyepiece
};

using R = DesignResult;

// The report after its title line, piece by piece.
const ReportLine kReportLines[] = {
    {"\r\nPrimary mirror diameter .................. ", &R::PriDia, 4, Tail::Unit, nullptr},
    {"\r\nPrimary mirror focal length .............. ", &R::PriFoc, 4, Tail::UnitAndRatio, nullptr},
    {"\r\nPrimary mirror conic constant ............ ", &R::PriConic, 4, Tail::None, nullptr},
    {"\r\nPrimary mirror sagitta ................... ", &R::PriSag, 4, Tail::Unit, nullptr},
    {"\r\nSecondary minimal diameter ............... ", &R::SecMinDia, 4, Tail::Unit, nullptr},
    {"\r\nSecondary diameter ....................... ", &R::SecDia, 4, Tail::Unit, nullptr},
    {"\r\nSecondary Radius of curvature ............ ", &R::SecRadCur, 4, Tail::Unit, nullptr},
    {"\r\nSecondary Magnification .................. ", &R::SecMag, 4, Tail::None, nullptr},
    {"\r\nSecondary mirror conic constant .......... ", &R::SecConic, 4, Tail::None, nullptr},
    {"\r\nSecondary mirror sagitta ................. ", &R::SecSag, 4, Tail::Unit, nullptr},
    {"\r\nSystem focal length ...................... ", &R::SysFoc, 4, Tail::UnitAndRatio, nullptr},
    {"\r\nBack focal length ........................ ", &R::BackFocLen, 4, Tail::Unit, nullptr},
    {"\r\nLinear Obstruction ....................... ", &R::LinObstruction, 4, Tail::Percent, nullptr},
    {"\r\nObstructed Area  ......................... ", &R::AreaObstruction, 4, Tail::Percent, nullptr},
    {"\r\n", nullptr, 0, Tail::None, nullptr},
    {"\r\nDistance secondary from system focus ..... ", &R::SecSysFocDist, 4, Tail::Unit, nullptr},
    {"\r\nDistance secondary from prime focus ...... ", &R::SecPriFocDist, 4, Tail::Unit, nullptr},
    {"\r\nDistance secondary from primary .......... ", &R::PriSecDist, 4, Tail::Unit, nullptr},
    {"\r\n", nullptr, 0, Tail::None, nullptr},
    {"\r\nSchwarzschild coefficients", nullptr, 0, Tail::None, nullptr},
    {"\r\nComa ..................................... ", &R::ComaCoef, 4, Tail::None, nullptr},
    {"\r\nAstigmatism .............................. ", &R::AstigCoef, 4, Tail::None, nullptr},
    {"\r\nPetzval Curvature ........................ ", &R::PetzvalCoef, 4, Tail::None, nullptr},
    {"\r\nCurvature of field ....................... ", &R::FieldCurvCoef, 4, Tail::Unit, nullptr},
    {"\r\nComa ..................................... ", &R::ComaArcsec, 4, Tail::SpacedArcsec, nullptr},
    {"\r\nAstigmatism .............................. ", &R::AstigArcsec, 4, Tail::SpacedArcsec, nullptr},
    {"\r\nRadius of field curvature ................ ", &R::FieldCurvRadius, 4, Tail::UnitAndCurvature, nullptr},
    {"\r\n\r\nPerformance", nullptr, 0, Tail::None, nullptr},
    {"\r\nLight gathering power .................... ", &R::LightGain, 1, Tail::Times, nullptr},
    {"\r\nSparrows's resolution criterion .......... ", &R::SparrowLimit, 2, Tail::Arcsec, nullptr},
    {"\r\nRayleigh's resolution criterion .......... ", &R::RayleighLimit, 2, Tail::Arcsec, nullptr},
    {"\r\nDaws's resolution criterion .............. ", &R::DawesLimit, 2, Tail::Arcsec, nullptr},
    {"\r\nMinimal magnification (7mm pupil) ........ ", &R::MinMag, 1, Tail::TimesEyepiece, &R::MinMagEyepiece},
    {"\r\nMaximal magnification (0.5mm pupil) ...... ", &R::MaxMag, 1, Tail::TimesEyepiece, &R::MaxMagEyepiece},
};

}  // namespace

// Thanks to the theory and the designs this calculation stands on.
const char* const kReportCredits[4] = {
    "Image errors after the third-order theory of two-mirror telescopes by K. Schwarzschild (1905).",
    ("Designs named after L. Cassegrain, H. Dall and A. Kirkham, G. W. Ritchey and H. Chr\xE9tien, "
     "Pressmann and Camichel."),
    "Resolution limits after C. M. Sparrow, Lord Rayleigh and W. R. Dawes.",
    "Further reading: D. J. Schroeder, Astronomical Optics (Academic Press).",
};

void AppendNumber(std::string& out, double value, int code) {
  // Wide enough for any double in every format; the fallback is for completeness.
  char buffer[400];
  const char* format = NumberFormat(code);
  const int length = std::snprintf(buffer, sizeof buffer, format, value);
  if (length < 0) return;
  if (static_cast<size_t>(length) < sizeof buffer) {
    out.append(buffer, static_cast<size_t>(length));
    return;
  }
  std::string wide(static_cast<size_t>(length) + 1, '\0');
  std::snprintf(&wide[0], wide.size(), format, value);
  wide.resize(static_cast<size_t>(length));
  out += wide;
}

namespace {

// Collects the report in a stack buffer, literals by length and numbers formatted in
// place, and hands it to the string in few large pieces, so building it costs little
// beyond the number formatting itself.
class ReportWriter {
 public:
  explicit ReportWriter(std::string& out) : out_(out) {}
  ~ReportWriter() { Flush(); }
  ReportWriter(const ReportWriter&) = delete;
  ReportWriter& operator=(const ReportWriter&) = delete;

  void Put(std::string_view text) {
    if (sizeof buffer_ - used_ < text.size()) {
      Flush();
      if (sizeof buffer_ < text.size()) {
        out_.append(text.data(), text.size());
        return;
      }
    }
    std::memcpy(buffer_ + used_, text.data(), text.size());
    used_ += text.size();
  }

  void Number(double value, int code) {
    const int length = std::snprintf(buffer_ + used_, sizeof buffer_ - used_, NumberFormat(code), value);
    if (length < 0) return;
    if (static_cast<size_t>(length) < sizeof buffer_ - used_) {
      used_ += static_cast<size_t>(length);
      return;
    }
    Flush();
    AppendNumber(out_, value, code);
  }

 private:
  void Flush() {
    out_.append(buffer_, used_);
    used_ = 0;
  }

  std::string& out_;
  char buffer_[4096];
  size_t used_ = 0;
};

}  // namespace

std::string FormatNumber(double value, int code) {
  NumericLocaleScope cLocale;
  std::string text;
  AppendNumber(text, value, code);
  return text;
}

std::string BuildReport(const DesignResult& design, TelescopeType type, LengthUnit unit,
                        bool withCredits) {
  NumericLocaleScope cLocale;
  const std::string_view suffix = UnitSuffix(unit);
  std::string out;
  {
    ReportWriter w(out);
    w.Put("General parameters for ");
    w.Put(TelescopeTypeName(type));

    for (const ReportLine& line : kReportLines) {
      w.Put(line.text);
      if (line.value == nullptr) continue;
      const double value = design.*(line.value);
      w.Number(value, line.code);
      switch (line.tail) {
        case Tail::None:
          break;
        case Tail::Unit:
          w.Put(suffix);
          break;
        case Tail::UnitAndRatio:
          w.Put(suffix);
          w.Put(" (f/");
          w.Number(value / design.PriDia, -1);
          w.Put(")");
          break;
        case Tail::Percent:
          w.Put(" %");
          break;
        case Tail::SpacedArcsec:
          w.Put(" \"");
          break;
        case Tail::UnitAndCurvature:
          w.Put(suffix);
          w.Put("   (curvature is ");
          w.Put(FieldCurvedFromSky(value) ? "from" : "toward");
          w.Put(" sky)");
          break;
        case Tail::Times:
          w.Put("x");
          break;
        case Tail::Arcsec:
          w.Put("\"");
          break;
        case Tail::TimesEyepiece:
          w.Put("x (");
          w.Number(design.*(line.eyepiece), -1);
          w.Put("mm eyepiece)");
          break;
      }
    }

    if (withCredits) {
      w.Put("\r\n\r\n");
      w.Put(kReportCredits[0]);
      for (int i = 1; i < 4; ++i) {
        w.Put("\r\n");
        w.Put(kReportCredits[i]);
      }
    }
  }
  return out;
}

}  // namespace spekulor::calc
