#include "web/WebMirrorTests.h"

#include <utility>

#include "drawing/SvgWriter.h"
#include "support/Windows1252.h"

using namespace spekulor::calc;
using namespace spekulor::dialog;
using namespace spekulor::mirrortests;
using namespace spekulor::support;

namespace spekulor::web {

namespace {

const char* const kPrimaryRoc = kRefitFieldNames[0];
const char* const kPrimaryConic = kRefitFieldNames[1];
const char* const kSecondaryRoc = kRefitFieldNames[2];
const char* const kKeep = kRefitFieldNames[3];
const char* const kKeepNames[] = {"back-focus", "focal-length"};

std::string Named(const NamedValues& values, const char* name) {
  const auto found = values.find(name);
  return found == values.end() ? std::string() : Utf8ToWindows1252(found->second);
}

}  // namespace

MirrorTestsTable::MirrorTestsTable(std::shared_ptr<const Calculation> design,
                                   std::shared_ptr<const MirrorTestPage> figures)
    : m_sheet(std::move(design), std::move(figures)) {}

std::string MirrorTestsTable::TableTitle() const { return Windows1252ToUtf8(m_sheet.TableTitle()); }

std::string MirrorTestsTable::ColumnTitle(int column) const {
  return Windows1252ToUtf8(MirrorTestSheet::ColumnTitle(column));
}

std::string MirrorTestsTable::Cell(int zone, int column) const {
  if (zone < 0) return std::string();
  return Windows1252ToUtf8(m_sheet.Cell(static_cast<size_t>(zone), column));
}

void MirrorTestsTable::SetReading(int zone, const std::string& text) {
  if (zone >= 0) m_sheet.SetReading(static_cast<size_t>(zone), Utf8ToWindows1252(text));
}

std::string MirrorTestsTable::ReductionText() const { return Windows1252ToUtf8(m_sheet.ReductionText()); }

std::string MirrorTestsTable::MaskSvg() const { return drawing::WriteSvg(m_sheet.Mask()); }

std::string MirrorTestsTable::UnitName() const {
  return Windows1252ToUtf8(calc::UnitName(m_sheet.Figures().primary.unit));
}

NamedValues MirrorTestsTable::StartRefitNames() const {
  const RefitFields fields = m_sheet.DesignRefitFields();
  return {{kPrimaryRoc, Windows1252ToUtf8(fields.primaryRoc)},
          {kPrimaryConic, Windows1252ToUtf8(fields.primaryConic)},
          {kSecondaryRoc, Windows1252ToUtf8(fields.secondaryRoc)},
          {kKeep, kKeepNames[fields.keep == RefitKeep::FocalLength ? 1 : 0]}};
}

std::string MirrorTestsTable::Refit(const NamedValues& values) const {
  RefitFields fields;
  fields.primaryRoc = Named(values, kPrimaryRoc);
  fields.primaryConic = Named(values, kPrimaryConic);
  fields.secondaryRoc = Named(values, kSecondaryRoc);
  fields.keep = Named(values, kKeep) == kKeepNames[1] ? RefitKeep::FocalLength : RefitKeep::BackFocus;
  return Windows1252ToUtf8(MirrorTestSheet::RefitText(*m_sheet.Design(), fields));
}

}  // namespace spekulor::web
