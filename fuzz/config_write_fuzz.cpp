// WriteString on arbitrary file bytes, then checks that
//  - the file holds exactly the in-memory rewrite, every line ending with CR LF;
//  - every line of the old file is still there, in order, except at most one line
//    that was the entry (replaced or deleted), and only the entry and a new section
//    header were added;
//  - no temporary file is left beside it;
//  - a value without blanks at its ends, "#", quotes, CR or LF is read back
//    identically whenever its own line and its header fit what a lookup examines,
//    whatever the other lines hold (long comments included).
#include "support/ConfigFile.h"
#include "fuzz/FuzzInput.h"
#include "support/StringUtil.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <dirent.h>

using namespace spekulor::support;

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

int FilesInScratchFolder() {
  int count = 0;
  DIR* dir = opendir(ScratchFolder().c_str());
  Require(dir != nullptr);
  while (const dirent* entry = readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) ++count;
  }
  closedir(dir);
  return count;
}

bool ReadsBack(const FuzzInput& input) {
  const std::string& v = input.value;
  if (v.find_first_of("\r\n#\"") != std::string::npos) return false;
  if (!v.empty() && (v.front() == ' ' || v.front() == '\t' || v.back() == ' ' || v.back() == '\t')) {
    return false;
  }
  const std::string& n = input.name;
  if (n.empty() || n.find_first_of("\r\n") != std::string::npos) return false;
  if (n.front() == ' ' || n.front() == '\t' || n.front() == '[') return false;
  if (!input.nullSection && input.section.find_first_of("\r\n") != std::string::npos) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzInput input = ReadFuzzInput(data, size);
  WriteScratch(input.content);
  const char* section = input.nullSection ? nullptr : input.section.c_str();
  const char* name = input.name.c_str();
  const char* value = input.nullValue ? nullptr : input.value.c_str();

  CConfigFile file(ScratchFile().c_str());
  Require(file.WriteString(section, name, value) == kConfigOk);
  Require(FilesInScratchFolder() == 1);
  const std::string written = ReadScratch();
  Require(written == RewriteConfigText(input.content, section, name, value));
  Require(written.empty() || written.compare(written.size() - 2, 2, "\r\n") == 0);

  // Line by line: a common head and tail, and between them at most one old line
  // and only the lines the writer adds.
  const std::vector<std::string> before = SplitLines(input.content);
  const std::vector<std::string> after = SplitLines(written);
  std::size_t head = 0;
  while (head < before.size() && head < after.size() && before[head] == after[head]) ++head;
  std::size_t tail = 0;
  while (tail < before.size() - head && tail < after.size() - head &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
    ++tail;
  }
  const std::size_t removed = before.size() - head - tail;
  const std::size_t added = after.size() - head - tail;
  Require(removed <= 1);
  Require(added <= 2);
  const std::string entryLine = value != nullptr ? std::string(name) + "=" + value : std::string();
  const std::string headerLine = section != nullptr ? "[" + std::string(section) + "]" : std::string();
  for (std::size_t i = head; i < head + added; ++i) {
    Require((value != nullptr && after[i] == entryLine) || (section != nullptr && after[i] == headerLine));
  }
  if (removed == 1) {
    std::string old = before[head] + "\r\n";
    Require(EntryValue(&old[0], name) != nullptr);
  }

  if (value != nullptr && ReadsBack(input) && entryLine.size() <= kConfigExaminedLength &&
      headerLine.size() <= kConfigExaminedLength) {
    TextBuffer text;
    Require(file.GetString(section, name, text) == kConfigOk);
    Require(input.value == text.Text());
  }
  return 0;
}
