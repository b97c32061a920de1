#include "web/WebDesign.h"

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

#include "calc/Calculate.h"
#include "calc/DesignFieldNames.h"
#include "dialog/DesignPictureSet.h"
#include "dialog/FileDialogs.h"
#include "dialog/PicturePages.h"
#include "drawing/SvgWriter.h"
#include "files/DesignExport.h"
#include "files/DesignFile.h"
#include "files/FileMessages.h"
#include "files/LensExport.h"
#include "support/TerminalText.h"
#include "support/Windows1252.h"

using namespace spekulor::calc;
using namespace spekulor::dialog;
using namespace spekulor::support;
using namespace spekulor::files;

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

NamedValues NamesOfFields(const DesignFields& fields) {
  NamedValues values;
  if (fields.m_nUnits >= 0 && fields.m_nUnits <= 1) {
    values["unit"] = UnitName(static_cast<LengthUnit>(fields.m_nUnits));
  }
  if (fields.m_nType >= 0 && fields.m_nType < kDesignTypeNameCount) {
    values["type"] = kDesignTypeNames[fields.m_nType];
  }
  for (const DesignFieldName& field : kDesignFieldNames) {
    values[field.name] = Windows1252ToUtf8(fields.*field.member);
  }
  return values;
}

NamedValues StartupNames() { return NamesOfFields(DesignFields()); }

OpenedDesign OpenDesign(const std::string& bytes, const std::string& name) {
  // The file goes into the module's memory file system under its own name, in a folder
  // of its own made the working one, so that the box names the file as the user knows it.
  const std::string folder = "/opened";
  mkdir(folder.c_str(), 0755);
  chdir(folder.c_str());
  const size_t slash = name.find_last_of('/');
  const std::string path = slash == std::string::npos ? name : name.substr(slash + 1);
  umask(022);
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  OpenedDesign opened;
  DesignFields fields;
  FileProblem problem;
  opened.ok = LoadDesignFile(path, fields, &problem) == DesignFileStatus::Ok;
  if (opened.ok) {
    opened.values = NamesOfFields(fields);
  } else {
    opened.title = kErrorReading;
    opened.message = Windows1252ToUtf8(FileProblemDetail(path, problem));
  }
  std::remove(path.c_str());
  return opened;
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

TabPictures DrawTab(const DesignFields& fields, int page, const camera::CameraOptions& camera) {
  TabPictures pictures;
  auto calculation = std::make_shared<const Calculation>(CompleteDesign(fields));
  if (calculation->rules.error != CalcError::None) {
    pictures.refusal = ToTerminalText(FormatCalcError(calculation->rules));
    return pictures;
  }
  PicturePageJob job;
  job.page = page;
  job.design = calculation;
  job.camera = camera;
  const PicturePage drawn = ComputePicturePage(job);
  if (drawn.mirrorTests) {
    pictures.design = calculation;
    pictures.mirrorTests = drawn.mirrorTests;
  }
  if (!drawn.refusal.empty()) pictures.refusal = ToTerminalText(drawn.refusal);
  if (!drawn.notice.empty()) pictures.notice = ToTerminalText(drawn.notice);
  for (const drawing::Drawing& picture : drawn.drawings) pictures.svgs.push_back(drawing::WriteSvg(picture));
  return pictures;
}

DownloadFile MakeDownload(const DesignFields& fields, const std::string& kind) {
  DownloadFile file;
  if (kind == "lens") {
    const LensExport lens = BuildLensExport(fields);
    file.ok = lens.ok();
    file.bytes = lens.text;
  } else if (kind == "zmx" || kind == "seq") {
    const DesignExport exported =
        BuildDesignExport(fields, kind == "zmx" ? ExportFormat::Zemax : ExportFormat::CodeV);
    file.ok = exported.ok();
    file.bytes = exported.text;
  } else if (kind == "design") {
    // Save as into a new file, in the module's own memory file system. Emscripten
    // starts with the umask 0777, which would leave the new file unreadable; 022 is a
    // desktop's.
    const std::string path = "/tmp/spekulor-download.spekulor";
    umask(022);
    std::remove(path.c_str());
    FileProblem problem;
    file.ok = SaveDesignFile(path, fields, nullptr, &problem) == DesignFileStatus::Ok;
    if (file.ok) {
      std::FILE* saved = std::fopen(path.c_str(), "rb");
      char buffer[4096];
      size_t read = 0;
      while (saved != nullptr && (read = std::fread(buffer, 1, sizeof buffer, saved)) > 0) file.bytes.append(buffer, read);
      if (saved != nullptr) std::fclose(saved);
      std::remove(path.c_str());
    } else {
      file.bytes = FileProblemDetail(path, problem);
    }
  }
  return file;
}

std::string DownloadFileName(const std::string& kind) {
  const FileDialogRequest* dialog = kind == "design" ? &kDesignSaveDialog
                                    : kind == "lens" ? &kLensSaveDialog
                                    : kind == "zmx"  ? &kZemaxSaveDialog
                                    : kind == "seq"  ? &kCodeVSaveDialog
                                    : kind == "mask" ? &kMaskSaveDialog
                                                     : nullptr;
  return dialog == nullptr ? std::string() : Windows1252ToUtf8(dialog->fileName);
}

}  // namespace spekulor::web
