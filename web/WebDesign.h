// The page's design: the twelve values by the names of the page's inputs and address
// (DesignFieldNames), the page's tabs by their names, and what Calculate and a tab show.
#ifndef SPEKULOR_WEB_WEBDESIGN_H
#define SPEKULOR_WEB_WEBDESIGN_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "calc/Calculate.h"
#include "calc/DesignInput.h"
#include "camera/CameraPage.h"
#include "mirrortests/MirrorTestPage.h"

namespace spekulor::web {

// Named values as the page holds them (UTF-8): "unit", "type" and the field names. A
// value left out keeps the window's start-up value, as on the command line; a unit or
// type that names no button too.
using NamedValues = std::map<std::string, std::string>;

calc::DesignFields FieldsFromNames(const NamedValues& values);

// The values by name, UTF-8: the radios by their buttons' names (left out when none
// is checked), the field texts.
NamedValues NamesOfFields(const calc::DesignFields& fields);

// The window's start-up values by name.
NamedValues StartupNames();

// File Open of a file the page was given: its bytes, under its name. The values as the
// window shows them, or the window's box: "Error reading" (the title) and the name with
// the reason (UTF-8).
struct OpenedDesign {
  bool ok = false;
  NamedValues values;
  std::string title;
  std::string message;
};
OpenedDesign OpenDesign(const std::string& bytes, const std::string& name);

// What Calculate shows: the report as `spekulor-cli report` prints it, or the refusal
// ("Error N" and the message) as the command line prints it; both UTF-8, LF line ends.
struct ReportText {
  bool ok = false;
  std::string text;
};
ReportText CalculateReport(const calc::DesignFields& fields);

// The page index (dialog::PicturePageIndex) of a tab's data-tab name ("layout",
// "quality", "baffles", "collimation", "mirror-tests", "camera"), or -1.
int TabPageIndex(const std::string& tab);

// What a tab shows for a design: each drawing as SVG (the command line's writer), top
// to bottom; the refusal or the notice above them when there is one (UTF-8). A design
// Calculate refuses has its refusal here too. The camera tab is drawn with `camera`.
// The mirror tests tab of a design that is not refused keeps the design and the
// primary's test figures its zone table starts from, as the window's does.
struct TabPictures {
  std::string refusal;
  std::string notice;
  std::vector<std::string> svgs;
  std::shared_ptr<const calc::Calculation> design;
  std::shared_ptr<const mirrortests::MirrorTestPage> mirrorTests;
};
TabPictures DrawTab(const calc::DesignFields& fields, int page, const camera::CameraOptions& camera);

// A file the page offers for download, by its link's name: "design" (the bytes Save as
// writes into a new file), "lens" (OSLO), "zmx" (Zemax), "seq" (CODE V); the bytes as
// the command line writes them, or the refusal box's text (Windows-1252, as the bytes).
struct DownloadFile {
  bool ok = false;
  std::string bytes;
};
DownloadFile MakeDownload(const calc::DesignFields& fields, const std::string& kind);

// The name the window's Save dialog proposes for a download of that kind, and "mask"
// (the Couder mask): "untitled.spekulor", "untitled.len", "untitled.zmx",
// "untitled.seq", "mask.svg"; empty for another kind.
std::string DownloadFileName(const std::string& kind);

}  // namespace spekulor::web

#endif
