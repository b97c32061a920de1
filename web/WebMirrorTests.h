// The page's zone table of the "Mirror tests" tab: the window's sheet
// (dialog/MirrorTestSheet.h) with its texts in UTF-8, the Couder mask as the file
// `spekulor-cli primary-test --mask` writes, and the refit from fields named as
// `spekulor-cli refit`'s options.
#ifndef SPEKULOR_WEB_WEBMIRRORTESTS_H
#define SPEKULOR_WEB_WEBMIRRORTESTS_H

#include <array>
#include <memory>
#include <string>

#include "calc/Calculate.h"
#include "dialog/MirrorTestSheet.h"
#include "mirrortests/MirrorTestPage.h"
#include "web/WebDesign.h"

namespace spekulor::web {

// The refit's fields by the names of spekulor-cli refit's options: the primary's radius
// and conic, the secondary's radius (empty: not made yet), and what to keep
// ("back-focus" or "focal-length").
constexpr std::array<const char*, 4> kRefitFieldNames = {"measured-primary-roc", "measured-primary-cc",
                                                         "measured-secondary-roc", "keep"};

class MirrorTestsTable {
 public:
  // `figures`: the primary's test of `design` as the tab computed it.
  MirrorTestsTable(std::shared_ptr<const calc::Calculation> design,
                   std::shared_ptr<const mirrortests::MirrorTestPage> figures);

  bool CanTest() const { return m_sheet.CanTest(); }
  int ZoneCount() const { return static_cast<int>(m_sheet.ZoneCount()); }
  int ColumnCount() const { return dialog::kMirrorTestColumnCount; }
  // The column where the maker types the readings, and the surface error's.
  int MeasuredColumn() const { return dialog::kMeasuredColumn; }
  int SurfaceColumn() const { return dialog::kSurfaceColumn; }

  std::string TableTitle() const;
  std::string ColumnTitle(int column) const;
  std::string Cell(int zone, int column) const;
  // The maker typed `text` (UTF-8) as the reading of `zone` (from 0).
  void SetReading(int zone, const std::string& text);
  std::string ReductionText() const;

  // The mask at 1:1 as an SVG file.
  std::string MaskSvg() const;

  // The design's unit as the refit's labels name it ("mm" or "inch").
  std::string UnitName() const;
  // The refit's start-up fields (kRefitFieldNames): the design's primary, the
  // secondary not made, the back focus kept.
  NamedValues StartRefitNames() const;
  // The refit's text as the window shows it after Refit, for fields by those names
  // (UTF-8, LF line ends).
  std::string Refit(const NamedValues& fields) const;

 private:
  dialog::MirrorTestSheet m_sheet;
};

}  // namespace spekulor::web

#endif
