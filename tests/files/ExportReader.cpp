#include "tests/files/ExportReader.h"

#include <charconv>
#include <cmath>
#include <sstream>

#include "calc/Solver.h"

using namespace spekulor::calc;

namespace {

// The lines of a text whose every line ends with CR LF; false when one does not.
bool SplitLines(const std::string& text, std::vector<std::string>& lines) {
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    if (end == std::string::npos) return false;
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return true;
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// The whole word as a number, or false.
bool Number(const std::string& word, double& value) {
  const char* end = word.data() + word.size();
  const std::from_chars_result r = std::from_chars(word.data(), end, value);
  return r.ec == std::errc() && r.ptr == end;
}

// Words [first, end) as numbers.
bool Numbers(const std::vector<std::string>& words, size_t first, std::vector<double>& values) {
  values.clear();
  for (size_t i = first; i < words.size(); ++i) {
    double v = 0.0;
    if (!Number(words[i], v)) return false;
    values.push_back(v);
  }
  return true;
}

// The text after the first word and one blank.
std::string Rest(const std::string& line) {
  const size_t blank = line.find(' ');
  return blank == std::string::npos ? std::string() : line.substr(blank + 1);
}

ReadSystem Fail(ReadSystem system, const std::string& line, const char* why) {
  system.error = std::string(why) + ": \"" + line + "\"";
  return system;
}

}  // namespace

ReadSystem ReadZemaxSubset(const std::string& text) {
  ReadSystem system;
  std::vector<std::string> lines;
  if (!SplitLines(text, lines)) return Fail(system, "", "a line without CR LF");
  int fieldCount = -1;
  int waveCount = -1;
  bool unitSeen = false;
  ReadSurface* surface = nullptr;
  for (const std::string& line : lines) {
    const std::vector<std::string> w = Words(line);
    if (w.empty()) return Fail(system, line, "empty line");
    const std::string& card = w[0];
    const bool indented = line.compare(0, 2, "  ") == 0;
    std::vector<double> v;
    if (indented != (surface != nullptr && card != "SURF")) {
      return Fail(system, line, "surface data must be indented, and only they");
    }
    if (card == "VERS") {
      if (w.size() != 2) return Fail(system, line, "bad VERS");
    } else if (card == "MODE") {
      if (w.size() != 2 || w[1] != "SEQ") return Fail(system, line, "not sequential");
    } else if (card == "NAME") {
      system.name = Rest(line);
    } else if (card == "UNIT") {
      if (w.size() != 8 || Rest(Rest(line)) != "X W X CM MR CPMM") {
        return Fail(system, line, "bad UNIT");
      }
      if (w[1] == "MM") {
        system.unit = LengthUnit::Millimetre;
      } else if (w[1] == "IN") {
        system.unit = LengthUnit::Inch;
      } else {
        return Fail(system, line, "unknown lens unit");
      }
      unitSeen = true;
    } else if (card == "ENPD") {
      if (w.size() != 2 || !Number(w[1], system.entrancePupilDiameter)) {
        return Fail(system, line, "bad ENPD");
      }
    } else if (card == "FTYP") {
      if (!Numbers(w, 1, v) || v.size() != 8 || v[0] != 0.0) {
        return Fail(system, line, "not angle fields");
      }
      fieldCount = static_cast<int>(v[2]);
      waveCount = static_cast<int>(v[3]);
    } else if (card == "XFLN" || card == "YFLN" || card == "FWGN") {
      if (!Numbers(w, 1, v) || static_cast<int>(v.size()) != fieldCount) {
        return Fail(system, line, "field values do not match FTYP");
      }
      if (card == "XFLN") system.fieldX = v;
      if (card == "YFLN") system.fieldY = v;
      for (double weight : v) {
        if (card == "FWGN" && weight != 1.0) return Fail(system, line, "field weight");
      }
    } else if (card == "WAVM") {
      if (!Numbers(w, 1, v) || v.size() != 3 ||
          static_cast<int>(v[0]) != static_cast<int>(system.wavelengthsMicrometres.size()) + 1) {
        return Fail(system, line, "bad WAVM");
      }
      system.wavelengthsMicrometres.push_back(v[1]);
    } else if (card == "PWAV") {
      if (!Numbers(w, 1, v) || v.size() != 1) return Fail(system, line, "bad PWAV");
      system.primaryWavelength = static_cast<int>(v[0]);
    } else if (card == "SURF") {
      if (!Numbers(w, 1, v) || v.size() != 1 ||
          static_cast<size_t>(v[0]) != system.surfaces.size()) {
        return Fail(system, line, "surfaces out of order");
      }
      system.surfaces.emplace_back();
      surface = &system.surfaces.back();
    } else if (card == "COMM") {
    } else if (card == "TYPE") {
      if (w.size() != 2 || w[1] != "STANDARD") return Fail(system, line, "not a standard surface");
    } else if (card == "STOP") {
      surface->stop = true;
    } else if (card == "CURV") {
      if (w.size() != 2 || !Number(w[1], surface->curvature)) return Fail(system, line, "bad CURV");
    } else if (card == "DISZ") {
      if (w.size() == 2 && w[1] == "INFINITY") {
        surface->thickness = HUGE_VAL;
      } else if (w.size() != 2 || !Number(w[1], surface->thickness)) {
        return Fail(system, line, "bad DISZ");
      }
    } else if (card == "GLAS") {
      if (line != "  GLAS MIRROR 0 0 1.5 40 0 0 0 0 0 0") return Fail(system, line, "not a mirror");
      surface->mirror = true;
    } else if (card == "CONI") {
      if (w.size() != 2 || !Number(w[1], surface->conic)) return Fail(system, line, "bad CONI");
    } else if (card == "DIAM") {
      // Fixed ("1") semi-diameter.
      if (w.size() != 7 || !Number(w[1], surface->semiDiameter) ||
          Rest(Rest(line.substr(2))) != "1 0 0 1 \"\"") {
        return Fail(system, line, "bad DIAM");
      }
    } else if (card == "OBSC") {
      if (!Numbers(w, 1, v) || v.size() != 3 || v[0] != 0.0 || v[2] != 0.0) {
        return Fail(system, line, "bad OBSC");
      }
      surface->obscuration = v[1];
    } else {
      return Fail(system, line, "card outside the subset");
    }
  }
  if (!unitSeen) return Fail(system, "", "no UNIT");
  if (waveCount != static_cast<int>(system.wavelengthsMicrometres.size())) {
    return Fail(system, "", "wavelengths do not match FTYP");
  }
  if (system.surfaces.size() < 3) return Fail(system, "", "too few surfaces");
  return system;
}

ReadSystem ReadCodeVSubset(const std::string& text) {
  ReadSystem system;
  std::vector<std::string> physical;
  if (!SplitLines(text, physical)) return Fail(system, "", "a line without CR LF");
  // Commands are separated by line ends and by semicolons.
  std::vector<std::string> lines;
  for (const std::string& line : physical) {
    std::string command;
    std::istringstream in(line);
    while (std::getline(in, command, ';')) lines.push_back(command);
  }
  bool radiusMode = false;
  bool lensStarted = false;
  bool ended = false;
  bool unitSeen = false;
  ReadSurface* surface = nullptr;
  for (const std::string& line : lines) {
    const std::vector<std::string> w = Words(line);
    if (w.empty()) return Fail(system, line, "empty command");
    if (ended) return Fail(system, line, "a command after GO");
    const std::string& cmd = w[0];
    std::vector<double> v;
    if (cmd == "RDM") {
      if (w.size() != 1) return Fail(system, line, "bad RDM");
      radiusMode = true;
    } else if (cmd == "LEN") {
      lensStarted = true;
    } else if (!lensStarted) {
      return Fail(system, line, "a command before LEN");
    } else if (cmd == "TITLE") {
      const std::string rest = Rest(line);
      if (rest.size() < 2 || rest.front() != '\'' || rest.back() != '\'') {
        return Fail(system, line, "bad TITLE");
      }
      system.name = rest.substr(1, rest.size() - 2);
    } else if (cmd == "EPD") {
      if (w.size() != 2 || !Number(w[1], system.entrancePupilDiameter)) {
        return Fail(system, line, "bad EPD");
      }
    } else if (cmd == "DIM") {
      if (w.size() != 2 || (w[1] != "M" && w[1] != "I")) return Fail(system, line, "bad DIM");
      system.unit = w[1] == "I" ? LengthUnit::Inch : LengthUnit::Millimetre;
      unitSeen = true;
    } else if (cmd == "WL") {
      if (!Numbers(w, 1, v) || v.empty()) return Fail(system, line, "bad WL");
      for (double nm : v) system.wavelengthsMicrometres.push_back(nm / 1000.0);
    } else if (cmd == "REF") {
      if (!Numbers(w, 1, v) || v.size() != 1) return Fail(system, line, "bad REF");
      system.primaryWavelength = static_cast<int>(v[0]);
    } else if (cmd == "WTW" || cmd == "WTF") {
      if (!Numbers(w, 1, v)) return Fail(system, line, "bad weights");
      for (double weight : v) {
        if (weight != 1.0) return Fail(system, line, "weights other than 1");
      }
    } else if (cmd == "XAN" || cmd == "YAN") {
      if (!Numbers(w, 1, v)) return Fail(system, line, "bad field angles");
      (cmd == "XAN" ? system.fieldX : system.fieldY) = v;
    } else if (cmd == "SO" || cmd == "S" || cmd == "SI") {
      if (!radiusMode) return Fail(system, line, "radii without RDM");
      const bool reflecting = w.size() == 4 && w[3] == "REFL";
      if ((w.size() != 3 && !reflecting) || !Numbers({w[0], w[1], w[2]}, 1, v)) {
        return Fail(system, line, "bad surface");
      }
      if ((cmd == "SO") != system.surfaces.empty()) return Fail(system, line, "SO not first");
      system.surfaces.emplace_back();
      surface = &system.surfaces.back();
      surface->curvature = v[0] == 0.0 ? 0.0 : 1.0 / v[0];
      // An object distance of 1e10 or more is infinite.
      surface->thickness = cmd == "SO" && v[1] >= 1e10 ? HUGE_VAL : v[1];
      surface->mirror = reflecting;
    } else if (surface == nullptr) {
      return Fail(system, line, "surface data before a surface");
    } else if (cmd == "SLB") {
    } else if (cmd == "STO") {
      if (w.size() != 1) return Fail(system, line, "bad STO");
      surface->stop = true;
    } else if (cmd == "CON") {
      if (w.size() != 1) return Fail(system, line, "bad CON");
    } else if (cmd == "K") {
      if (w.size() != 2 || !Number(w[1], surface->conic)) return Fail(system, line, "bad K");
    } else if (cmd == "CIR") {
      if (w.size() == 3 && w[1] == "OBS") {
        if (!Number(w[2], surface->obscuration)) return Fail(system, line, "bad CIR OBS");
      } else if (w.size() != 2 || !Number(w[1], surface->semiDiameter)) {
        return Fail(system, line, "bad CIR");
      }
    } else if (cmd == "GO") {
      ended = true;
    } else {
      return Fail(system, line, "command outside the subset");
    }
  }
  if (!ended) return Fail(system, "", "no GO");
  if (!unitSeen) return Fail(system, "", "no DIM");
  if (system.surfaces.size() < 3) return Fail(system, "", "too few surfaces");
  return system;
}

ParaxialResult TraceParaxial(const ReadSystem& system) {
  const double h = 1.0;
  double y = h;
  double nu = 0.0;  // n u
  double n = 1.0;
  const size_t last = system.surfaces.size() - 2;  // the surface before the image
  for (size_t i = 1; i <= last; ++i) {
    const ReadSurface& s = system.surfaces[i];
    const double nNext = s.mirror ? -n : n;
    nu -= y * s.curvature * (nNext - n);
    n = nNext;
    if (i < last) y += s.thickness * nu / n;
  }
  ParaxialResult result;
  result.effectiveFocalLength = -h / nu;
  result.focusBeyondLastSurface = -y * n / nu;
  return result;
}

DesignResult TwoMirrorDesignOf(const ReadSystem& system, std::string& problem) {
  DesignResult design;
  problem.clear();
  const std::vector<ReadSurface>& s = system.surfaces;
  if (s.size() != 5 || !std::isinf(s[0].thickness) || s[1].mirror || s[1].curvature != 0.0 ||
      !s[2].mirror || !s[2].stop || !s[3].mirror || s[4].mirror || s.front().mirror) {
    problem = "not the object, shadow, primary, secondary, image layout";
    return design;
  }
  if (system.fieldY.empty()) {
    problem = "no fields";
    return design;
  }
  DesignInput input;
  input.PriDia = system.entrancePupilDiameter;
  input.FieldAng = 2.0 * system.fieldY.back();
  input.PriFoc = -1.0 / (2.0 * s[2].curvature);
  input.SecRadCur = -1.0 / s[3].curvature;
  input.SecPriFocDist = input.PriFoc - s[1].thickness;
  input.PriConic = s[2].conic;
  input.SecConic = s[3].conic;
  design = SolveGeometry(StartDesign(input), SolvePath::FromSecPriFocDist);
  design.SecDia = 2.0 * s[3].semiDiameter;
  return design;
}
