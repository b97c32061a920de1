// The export of a design to the optical design programs: the Zemax lens file and the
// CODE V sequence file, from the window's twelve values, inch designs included.
#ifndef SPEKULOR_FILES_DESIGNEXPORT_H
#define SPEKULOR_FILES_DESIGNEXPORT_H

#include <string>

#include "calc/Calculate.h"
#include "calc/DesignInput.h"

namespace spekulor::files {

enum class ExportFormat { Zemax, CodeV };

// What a file dialog and the command line need to know of a format.
struct ExportFormatInfo {
  ExportFormat format;
  const char* key;        // the command line's name of the format: "zmx", "seq"
  const char* extension;  // with its dot: ".zmx", ".seq"
  const char* title;      // "Zemax lens file (.zmx)", "CODE V sequence (.seq)"
};

extern const ExportFormatInfo kExportFormats[2];

// The entry of kExportFormats for `format`.
const ExportFormatInfo& ExportFormatOf(ExportFormat format);

struct DesignExport {
  enum Status { Ok, RulesRefused } status = Ok;
  std::string text;  // Ok: the file's bytes; otherwise the text of the refusal box
  bool ok() const { return status == Ok; }
};

// The file's bytes for a completed design, lengths in the design's unit.
// `calculation` must have passed every check (Calculate's refusals).
std::string FormatDesignExport(const calc::Calculation& calculation, ExportFormat format);

// Reads, checks and completes the design as Calculate does and writes it in the
// format. A refusal carries "Error %d\r\n" and the rule's message.
DesignExport BuildDesignExport(const calc::DesignFields& fields, ExportFormat format);

}  // namespace spekulor::files

#endif
