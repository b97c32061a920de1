#include "web/WebDesign.h"

#include "calc/Calculate.h"
#include "calc/DesignFieldNames.h"
#include "dialog/DesignPictureSet.h"
#include "dialog/PicturePages.h"
#include "drawing/SvgWriter.h"
#include "support/TerminalText.h"
#include "support/Windows1252.h"

using namespace spekulor::calc;
using namespace spekulor::dialog;
using namespace spekulor::support;

namespace spekulor::web {

namespace {

const char* const kTabNames[kPicturePageCount] = {"layout",      "quality",      "baffles",
                                                  "collimation", "mirror-tests", "camera"};

const std::string* Find(const NamedValues& values, const char* name) {
  const auto found = values.find(name);
  return found == values.end() ? nullptr : &found->second;
}

}  // namespace

DesignFields FieldsFromNames(const NamedValues& values) {
  DesignFields fields;
  if (const std::string* unit = Find(values, "unit")) {
    const int index = UnitIndexOfName(*unit);
    if (index >= 0) fields.m_nUnits = index;
  }
  if (const std::string* type = Find(values, "type")) {
    const int index = TypeIndexOfName(*type);
    if (index >= 0) fields.m_nType = index;
  }
  for (const DesignFieldName& field : kDesignFieldNames) {
    if (const std::string* text = Find(values, field.name)) {
      fields.*field.member = Utf8ToWindows1252(*text);
    }
  }
  return fields;
}

NamedValues StartupNames() {
  const DesignFields fields;
  NamedValues values;
  values["unit"] = UnitName(static_cast<LengthUnit>(fields.m_nUnits));
  values["type"] = kDesignTypeNames[fields.m_nType];
  for (const DesignFieldName& field : kDesignFieldNames) {
    values[field.name] = Windows1252ToUtf8(fields.*field.member);
  }
  return values;
}

ReportText CalculateReport(const DesignFields& fields) {
  const CalculateOutcome outcome = Calculate(fields);
  ReportText shown;
  shown.ok = outcome.ok();
  shown.text = ToTerminalText(outcome.ok() ? outcome.report : outcome.errorText);
  return shown;
}

int TabPageIndex(const std::string& tab) {
  for (int page = 0; page < kPicturePageCount; ++page) {
    if (tab == kTabNames[page]) return page;
  }
  return -1;
}

TabPictures DrawTab(const DesignFields& fields, int page) {
  TabPictures pictures;
  const Calculation calculation = CompleteDesign(fields);
  if (calculation.rules.error != CalcError::None) {
    pictures.refusal = ToTerminalText(FormatCalcError(calculation.rules));
    return pictures;
  }
  PicturePageJob job;
  job.page = page;
  job.design = std::make_shared<const Calculation>(calculation);
  job.camera = DefaultCameraOptions();
  const PicturePage drawn = ComputePicturePage(job);
  if (!drawn.refusal.empty()) pictures.refusal = ToTerminalText(drawn.refusal);
  if (!drawn.notice.empty()) pictures.notice = ToTerminalText(drawn.notice);
  for (const drawing::Drawing& picture : drawn.drawings) pictures.svgs.push_back(drawing::WriteSvg(picture));
  return pictures;
}

}  // namespace spekulor::web
