// Arbitrary file bytes and names through every lookup of CConfigFile: no crash, no
// sanitizer finding, no hang, and results that keep their stated bounds.
#include "support/ConfigFile.h"
#include "fuzz/FuzzInput.h"
#include "support/StringUtil.h"

#include <cstdlib>
#include <cstring>

using namespace spekulor::support;

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzInput input = ReadFuzzInput(data, size);
  WriteScratch(input.content);
  const char* section = input.nullSection ? nullptr : input.section.c_str();
  const char* name = input.name.c_str();

  CConfigFile file(ScratchFile().c_str());
  char value[2048];
  std::memset(value, 'x', sizeof value);
  const int rc = file.GetString(section, name, value, input.length);
  Require(std::strlen(value) < static_cast<std::size_t>(input.length));
  if (rc != kConfigOk) Require(value[0] == '\0');

  int n = 0;
  long l = 0;
  double d = 0;
  bool b = false;
  char c = 0;
  file.GetInt(section, name, &n, 0);
  file.GetLong(section, name, &l, 0);
  file.GetDouble(section, name, &d, 0);
  file.GetBool(section, name, &b, false);
  file.GetChar(section, name, &c, 0);
  TextBuffer text;
  file.GetString(section, name, text);
  file.GetStringDefault(section, name, text, "default");

  char list[1024];
  const int listSize = 1 + input.length % 1024;
  if (file.GetSectionNames(list, listSize) == kConfigOk) {
    Require(std::strlen(list) < static_cast<std::size_t>(listSize));
  }
  if (file.GetNames(section, list, listSize) == kConfigOk) {
    Require(std::strlen(list) < static_cast<std::size_t>(listSize));
  }

  Require(file.Open() == kConfigOk);
  char header[64];
  while (file.NextSectionName(header, sizeof header) == kConfigOk) {
    Require(std::strlen(header) < sizeof header);
  }
  Require(file.Close() == kConfigOk);

  // The same lookups on one copy of the text in memory find the same values, with
  // the same codes.
  const ConfigText copy(input.content);
  char copied[2048];
  std::memset(copied, 'y', sizeof copied);
  Require(copy.GetString(section, name, copied, input.length) == rc);
  Require(std::strcmp(copied, value) == 0);
  int n2 = 1;
  long l2 = 1;
  double d2 = 1;
  Require(copy.GetInt(section, name, &n2, 0) == file.GetInt(section, name, &n, 0) && n2 == n);
  Require(copy.GetLong(section, name, &l2, 0) == file.GetLong(section, name, &l, 0) && l2 == l);
  Require(copy.GetDouble(section, name, &d2, 0) == file.GetDouble(section, name, &d, 0) &&
          std::memcmp(&d2, &d, sizeof d) == 0);
  const bool sectionInFile = file.OpenAtSection(section) == kConfigOk;
  if (sectionInFile) Require(file.Close() == kConfigOk);
  Require((copy.FindSection(section) == kConfigOk) == sectionInFile);

  // The helpers on the raw text.
  std::string raw = input.content;
  CutComment(&raw[0]);
  ConfigLineReader lines(input.content);
  ConfigLine line;
  std::size_t lineCount = 0;
  std::size_t bytes = 0;
  while (lines.Next(line)) {
    Require(std::strlen(line.examined) <= kConfigExaminedLength);
    Require(line.bytes.find_first_of("\r\n") == std::string_view::npos);
    bytes += line.bytes.size();
    Require(++lineCount <= input.content.size());
  }
  Require(bytes <= input.content.size());
  return 0;
}
