#include "files/OsloLens.h"

#include "calc/Report.h"

using namespace spekulor::calc;

namespace spekulor::files {

const char kOsloAuthorNote[] = "Two-mirror layout exported by the Spekulor calculator";

namespace {

using R = DesignResult;

// One piece of a lens line. A line is the run of pieces up to its End piece.
struct LensPiece {
  enum Kind { Text, Number, TypeName, AuthorNote, End } kind;
  const char* text;                // Text: the literal, blanks included
  double (*value)(const R&);       // Number: the quantity written
  int code;                        // Number: FormatNumber precision code
};

constexpr LensPiece Txt(const char* text) { return {LensPiece::Text, text, nullptr, 0}; }
constexpr LensPiece Num(double (*value)(const R&), int code) {
  return {LensPiece::Number, nullptr, value, code};
}
constexpr LensPiece TypeNamePiece() { return {LensPiece::TypeName, nullptr, nullptr, 0}; }
constexpr LensPiece Note() { return {LensPiece::AuthorNote, nullptr, nullptr, 0}; }
constexpr LensPiece LineEnd() { return {LensPiece::End, nullptr, nullptr, 0}; }

// Precision codes: -1 "%0.1f", -2 "%0.4f", 4 "%11.4f".
constexpr int kOneDecimal = -1;
constexpr int kFourDecimals = -2;
constexpr int kPadded = 4;

const LensPiece kLensPieces[] = {
    Txt("// OSLO 6.3"), LineEnd(),
    Txt("LEN NEW \""), Num([](const R& r) { return r.PriDia; }, kOneDecimal), Txt("mm "), TypeNamePiece(),
    Txt("\" "), Num([](const R& r) { return r.SysFoc; }, kOneDecimal), Txt(" 5"), LineEnd(),
    Txt("EBR "), Num([](const R& r) { return r.PriDia / 2; }, kPadded), LineEnd(),
    Txt("ANG  "), Num([](const R& r) { return r.FieldAng / 2; }, kFourDecimals), LineEnd(),
    Txt("DES  \"Brannholm\""), LineEnd(),
    Txt("UNI  1.0"), LineEnd(),
    Txt("SNO1 \""), TypeNamePiece(), Txt("\""), LineEnd(),
    Txt("SNO2 \"Created by Spekulor\""), LineEnd(),
    Txt("SNO3 \""), Note(), Txt("\""), LineEnd(),
    // Surface 0: the object.
    Txt("// SRF 0"), LineEnd(),
    Txt("AIR "), LineEnd(),
    Txt("TH   2.032e+20"), LineEnd(),
    Txt("AP  1.4186266635e+18"), LineEnd(),
    // Surface 1: the secondary's shadow, d in front of the primary.
    Txt("NXT  // SRF 1"), LineEnd(),
    Txt("AIR "), LineEnd(),
    Txt("TH   "), Num([](const R& r) { return r.PriSecDist; }, kFourDecimals), LineEnd(),
    Txt("APN  1"), LineEnd(),
    Txt("AY1 A "), Num([](const R& r) { return -r.SecDia / 2; }, kFourDecimals), LineEnd(),
    Txt("AY2 A "), Num([](const R& r) { return r.SecDia / 2; }, kFourDecimals), LineEnd(),
    Txt("AX1 A "), Num([](const R& r) { return -r.SecDia / 2; }, kFourDecimals), LineEnd(),
    Txt("AX2 A "), Num([](const R& r) { return r.SecDia / 2; }, kFourDecimals), LineEnd(),
    Txt("ATP A 1"), LineEnd(),
    Txt("AAC A 2"), LineEnd(),
    // Surface 2: the primary, the aperture stop.
    Txt("NXT  // SRF 2"), LineEnd(),
    Txt("RFH "), LineEnd(),
    Txt("TCE  0.0"), LineEnd(),
    Txt("RD   "), Num([](const R& r) { return -2 * r.PriFoc; }, kFourDecimals), LineEnd(),
    Txt("TH   "), Num([](const R& r) { return -r.PriSecDist; }, kFourDecimals), LineEnd(),
    Txt("AST "), LineEnd(),
    Txt("CC   "), Num([](const R& r) { return r.PriConic; }, kFourDecimals), LineEnd(),
    // Surface 3: the secondary.
    Txt("NXT  // SRF 3"), LineEnd(),
    Txt("RFH "), LineEnd(),
    Txt("RD   "), Num([](const R& r) { return -r.SecRadCur; }, kFourDecimals), LineEnd(),
    Txt("PK THM  -1 0.0"), LineEnd(),
    Txt("CC   "), Num([](const R& r) { return r.SecConic; }, kFourDecimals), LineEnd(),
    // Surface 4: to the focus.
    Txt("NXT  // SRF 4"), LineEnd(),
    Txt("AIR "), LineEnd(),
    Txt("TH   "), Num([](const R& r) { return r.BackFocLen; }, kFourDecimals), LineEnd(),
    Txt("PY   0.0"), LineEnd(),
    // Surface 5: the image.
    Txt("NXT  // SRF 5"), LineEnd(),
    Txt("AIR "), LineEnd(),
    Txt("TH   0"), LineEnd(),
    // Wavelengths (d, F and C lines) with equal weights.
    Txt("WV 0.58756 0.48613 0.65627"), LineEnd(),
    Txt("WW 1.0 1.0 1.0"), LineEnd(),
    Txt("END  5"), LineEnd(),
    Txt("DLRS 3"), LineEnd(),
};

}  // namespace

std::string FormatOsloLens(const DesignResult& design, TelescopeType type) {
  std::string text;
  text.reserve(1024);
  for (const LensPiece& piece : kLensPieces) {
    switch (piece.kind) {
      case LensPiece::Text: text += piece.text; break;
      case LensPiece::Number: text += FormatNumber(piece.value(design), piece.code); break;
      case LensPiece::TypeName: text += TelescopeTypeName(type); break;
      case LensPiece::AuthorNote: text += kOsloAuthorNote; break;
      case LensPiece::End: text += "\r\n"; break;
    }
  }
  return text;
}

}  // namespace spekulor::files
