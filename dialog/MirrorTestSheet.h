// The interactive part of the pictures window's "Mirror tests" page, without the
// toolkit: the zone table with the readings the maker types and their reduction as
// they are typed, the Couder mask to save at 1:1, and the refit from the mirrors as
// made. The toolkit's side (app/) shows the cells and texts and passes the typing on.
//
// Texts are Windows-1252; numbers are read and written with "." whatever the locale.
#ifndef SPEKULOR_DIALOG_MIRRORTESTSHEET_H
#define SPEKULOR_DIALOG_MIRRORTESTSHEET_H

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "calc/Calculate.h"
#include "drawing/Drawing.h"
#include "mirrortests/MirrorTestPage.h"
#include "mirrortests/Refit.h"

namespace spekulor::dialog {

// The columns of the zone table, the last two filled by the maker and the reduction.
enum MirrorTestColumn : int {
  kZoneColumn = 0,
  kInnerColumn,
  kOuterColumn,
  kRadiusColumn,
  kExpectedColumn,
  kFromFirstColumn,
  kMeasuredColumn,
  kSurfaceColumn,
  kMirrorTestColumnCount
};

// The fields of the refit, as typed.
struct RefitFields {
  std::string primaryRoc;
  std::string primaryConic;
  std::string secondaryRoc;  // empty while the secondary is not made
  mirrortests::RefitKeep keep = mirrortests::RefitKeep::BackFocus;
};

class MirrorTestSheet {
 public:
  // `figures`: the primary's test of `design` as DefaultMirrorTests gives it.
  MirrorTestSheet(std::shared_ptr<const calc::Calculation> design,
                  std::shared_ptr<const mirrortests::MirrorTestPage> figures);

  const mirrortests::MirrorTestPage& Figures() const { return *m_figures; }
  // False for a primary that cannot be tested: the table has no rows then.
  bool CanTest() const { return m_figures->problem.ok(); }
  size_t ZoneCount() const { return m_readings.size(); }

  // The table's title, with the unit of its lengths and readings.
  std::string TableTitle() const;
  static const char* ColumnTitle(int column);
  // The cell's text: the zone's figures, the reading as typed, the surface error in nm
  // once the readings are reduced (empty before).
  std::string Cell(size_t zone, int column) const;

  // The maker typed `text` as the reading of `zone`: when every zone has a number the
  // reduction follows at once (only it is computed); otherwise it is dropped.
  void SetReading(size_t zone, const std::string& text);
  const std::optional<mirrortests::MirrorTestReduction>& Reduction() const { return m_reduction; }
  // What the table's last column does not show: the reduction's wavefront, Strehl
  // ratio and best-fit conic, or the first reading that is not a number, or what to
  // type. Lines ended by a line feed.
  std::string ReductionText() const;

  // The Couder mask at 1:1 (physicalUnit "mm" or "in").
  drawing::Drawing Mask() const;
  // Makes the mask's SVG the whole file at `path`: empty, or the detail to show
  // under "Error writing" (the path and the reason), the file left as it was.
  std::string SaveMask(const std::string& path) const;

  // The fields the refit starts from: the design's primary radius and conic.
  RefitFields DesignRefitFields() const;
  // The refit of the typed fields (a field that is not a number is refused by the
  // refit as not finite), as lines: RefitLines beside the design, or why there is no
  // refit. Runs RefitTelescope (tens of ms): meant for a worker thread; pure.
  static std::string RefitText(const calc::Calculation& design, const RefitFields& fields);
  const std::shared_ptr<const calc::Calculation>& Design() const { return m_design; }

 private:
  std::shared_ptr<const calc::Calculation> m_design;
  std::shared_ptr<const mirrortests::MirrorTestPage> m_figures;
  std::vector<std::string> m_readings;  // as typed, one a zone
  mirrortests::MirrorTestProblem m_readingProblem;   // the first reading typed that is not a number
  std::optional<mirrortests::MirrorTestReduction> m_reduction;
};

// A decimal number with "." as its point and nothing else but spaces around it.
bool ReadTypedNumber(const std::string& text, double& value);

}  // namespace spekulor::dialog

#endif
