// The page's calls into the calculator (embind). Designs come as plain objects of
// named texts (WebDesign.h); answers go back as plain objects.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <vector>

#include "calc/DesignFieldNames.h"
#include "support/AppCore.h"
#include "web/WebCamera.h"
#include "web/WebDesign.h"
#include "web/WebMirrorTests.h"

using emscripten::val;
using namespace spekulor::calc;

namespace spekulor::web {

namespace {

NamedValues NamesFromObject(const val& design) {
  NamedValues values;
  const auto take = [&](const char* name) {
    const val value = design[name];
    if (value.isString()) values[name] = value.as<std::string>();
  };
  take("unit");
  take("type");
  for (const DesignFieldName& field : kDesignFieldNames) take(field.name);
  return values;
}

// The texts of `object` under `names`, those that are strings.
template <typename Names>
NamedValues TextsOf(const val& object, const Names& names) {
  NamedValues values;
  if (!object.isUndefined() && !object.isNull()) {
    for (const char* name : names) {
      const val value = object[name];
      if (value.isString()) values[name] = value.as<std::string>();
    }
  }
  return values;
}

val ObjectOfNames(const NamedValues& values) {
  val design = val::object();
  for (const auto& [name, text] : values) design.set(name, text);
  return design;
}

val StartupDesign() { return ObjectOfNames(StartupNames()); }

val StartupCamera() { return ObjectOfNames(StartupCameraNames()); }

val CameraFieldNames() {
  val names = val::array();
  for (const char* name : kCameraFieldNames) names.call<void>("push", std::string(name));
  return names;
}

val TubeMaterialChoices() {
  val names = val::array();
  for (const char* name : spekulor::dialog::kTubeMaterialChoices) names.call<void>("push", std::string(name));
  return names;
}

// `bytes` a Uint8Array of the file's content.
val Open(const val& bytes, const std::string& name) {
  const std::vector<unsigned char> content = emscripten::convertJSArrayToNumberVector<unsigned char>(bytes);
  const OpenedDesign opened = OpenDesign(std::string(content.begin(), content.end()), name);
  val answer = val::object();
  answer.set("ok", opened.ok);
  answer.set("design", ObjectOfNames(opened.values));
  answer.set("title", opened.title);
  answer.set("message", opened.message);
  return answer;
}

val FieldNames() {
  val names = val::array();
  for (const DesignFieldName& field : kDesignFieldNames) names.call<void>("push", std::string(field.name));
  return names;
}

val Report(const val& design) {
  const ReportText shown = CalculateReport(FieldsFromNames(NamesFromObject(design)));
  val answer = val::object();
  answer.set("ok", shown.ok);
  answer.set("text", shown.text);
  return answer;
}

// `camera`: the camera tab's fields by name (WebCamera.h), those left out at their
// start-up values. Fields that cannot be read leave the camera tab with the reason
// instead of its picture. The mirror tests tab's answer has its zone table, `sheet`
// (a MirrorTestsTable the page deletes), when the design is not refused.
val Picture(const val& design, const std::string& tab, const val& camera) {
  val answer = val::object();
  answer.set("notice", std::string());
  answer.set("svgs", val::array());
  const int page = TabPageIndex(tab);
  if (page < 0) {
    answer.set("refusal", "No such tab: " + tab);
    return answer;
  }
  const ReadCamera read = ReadCameraNames(TextsOf(camera, kCameraFieldNames));
  if (page == spekulor::dialog::kCameraPage && !read.problem.empty()) {
    answer.set("refusal", read.problem);
    return answer;
  }
  const TabPictures pictures = DrawTab(FieldsFromNames(NamesFromObject(design)), page, read.options);
  val svgs = val::array();
  for (const std::string& svg : pictures.svgs) svgs.call<void>("push", svg);
  answer.set("refusal", pictures.refusal);
  answer.set("notice", pictures.notice);
  answer.set("svgs", svgs);
  if (pictures.mirrorTests) answer.set("sheet", val(MirrorTestsTable(pictures.design, pictures.mirrorTests)));
  return answer;
}

val StartRefit(const MirrorTestsTable& table) { return ObjectOfNames(table.StartRefitNames()); }

std::string Refit(const MirrorTestsTable& table, const val& fields) {
  return table.Refit(TextsOf(fields, kRefitFieldNames));
}

// The bytes as they are (Windows-1252), not read as UTF-8 as a string would be.
val Download(const val& design, const std::string& kind) {
  const DownloadFile file = MakeDownload(FieldsFromNames(NamesFromObject(design)), kind);
  val answer = val::object();
  answer.set("ok", file.ok);
  answer.set("bytes", val::global("Uint8Array").new_(emscripten::typed_memory_view(file.bytes.size(),
      reinterpret_cast<const unsigned char*>(file.bytes.data()))));
  return answer;
}

}  // namespace

EMSCRIPTEN_BINDINGS(spekulor) {
  // The program's name, as spekulor-cli registers it: the design file's first line names it.
  support::InitAppCore("spekulor-web", "Spekulor");
  emscripten::function("startupDesign", &StartupDesign);
  emscripten::function("fieldNames", &FieldNames);
  emscripten::function("report", &Report);
  emscripten::function("picture", &Picture);
  emscripten::function("download", &Download);
  emscripten::function("open", &Open);
  emscripten::function("downloadFileName", &DownloadFileName);
  emscripten::function("startupCamera", &StartupCamera);
  emscripten::function("cameraFieldNames", &CameraFieldNames);
  emscripten::function("tubeMaterialChoices", &TubeMaterialChoices);
  emscripten::class_<MirrorTestsTable>("MirrorTestsTable")
      .function("canTest", &MirrorTestsTable::CanTest)
      .function("zoneCount", &MirrorTestsTable::ZoneCount)
      .function("columnCount", &MirrorTestsTable::ColumnCount)
      .function("measuredColumn", &MirrorTestsTable::MeasuredColumn)
      .function("surfaceColumn", &MirrorTestsTable::SurfaceColumn)
      .function("tableTitle", &MirrorTestsTable::TableTitle)
      .function("columnTitle", &MirrorTestsTable::ColumnTitle)
      .function("cell", &MirrorTestsTable::Cell)
      .function("setReading", &MirrorTestsTable::SetReading)
      .function("reductionText", &MirrorTestsTable::ReductionText)
      .function("maskSvg", &MirrorTestsTable::MaskSvg)
      .function("unitName", &MirrorTestsTable::UnitName)
      .function("startRefit", &StartRefit)
      .function("refit", &Refit);
}

}  // namespace spekulor::web
