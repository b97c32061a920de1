// The page's calls into the calculator (embind). Designs come as plain objects of
// named texts (WebDesign.h); answers go back as plain objects.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <vector>

#include "calc/DesignFieldNames.h"
#include "support/AppCore.h"
#include "web/WebDesign.h"

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

val ObjectOfNames(const NamedValues& values) {
  val design = val::object();
  for (const auto& [name, text] : values) design.set(name, text);
  return design;
}

val StartupDesign() { return ObjectOfNames(StartupNames()); }

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

val Picture(const val& design, const std::string& tab) {
  val answer = val::object();
  const int page = TabPageIndex(tab);
  if (page < 0) {
    answer.set("refusal", "No such tab: " + tab);
    answer.set("notice", std::string());
    answer.set("svgs", val::array());
    return answer;
  }
  const TabPictures pictures = DrawTab(FieldsFromNames(NamesFromObject(design)), page);
  val svgs = val::array();
  for (const std::string& svg : pictures.svgs) svgs.call<void>("push", svg);
  answer.set("refusal", pictures.refusal);
  answer.set("notice", pictures.notice);
  answer.set("svgs", svgs);
  return answer;
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
}

}  // namespace spekulor::web
