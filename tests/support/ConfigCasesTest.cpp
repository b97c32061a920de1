// Runs every INI case under tests/support/ini through CConfigFile and compares the
// transcript with the case's baseline byte for byte.
//
// A case NAME has:
//   NAME.ini       the file before the commands (no such file: the path does not exist)
//   NAME.cmd       one command a line, fields separated by "|", "(null)" for a null text:
//                    get|S|N [|len]   GetString (len 256 unless given)
//                    int|S|N  long|S|N  double|S|N  char|S|N  bool|S|N   typed getters
//                    default  (int -1, long -1, double -1.5, char '?', bool true)
//                    write|S|N|V  writeint|S|N|V  writedouble|S|N|V  writebool|S|N|V
//                    (V for writedouble: a number, "inf" for HUGE_VAL, "nan")
//                    sections  names|S   the list getters with a 1024-char buffer
//   NAME.expected  one transcript line per command, then "== file ==" and the bytes of
//                  the file afterwards ("== no file ==" when there is none).
// The baselines are golden files: SPEKULOR_UPDATE_GOLDEN=1 rewrites them (review them!).
#include "support/ConfigFile.h"
#include "support/AppCore.h"
#include "tests/common/Golden.h"
#include "tests/common/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include <dirent.h>

using namespace spekulor::support;

namespace {

const std::string kCaseDir = SPEKULOR_INI_DIR;

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  DIR* dir = opendir(kCaseDir.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    const std::string suffix = ".cmd";
    if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
      names.push_back(name.substr(0, name.size() - suffix.size()));
    }
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t bar = line.find('|', start);
    fields.push_back(line.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) return fields;
    start = bar + 1;
  }
}

const char* Text(const std::vector<std::string>& fields, std::size_t i) {
  if (i >= fields.size() || fields[i] == "(null)") return nullptr;
  return fields[i].c_str();
}

std::string FormatDouble(double value) {
  if (value == HUGE_VAL) return "HUGE_VAL";
  char text[64];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

// The lookups a case's commands make, which ConfigText answers too.
bool IsLookup(const std::string& line) {
  const std::string op = line.substr(0, line.find('|'));
  for (const char* lookup : {"get", "int", "long", "double", "char", "bool"}) {
    if (op == lookup) return true;
  }
  return false;
}

// One command on the store, as its transcript line; `Store` is CConfigFile, or
// ConfigText for the lookups alone.
template <typename Store>
std::string RunCommand(Store& file, const std::string& line) {
  const std::vector<std::string> f = Split(line);
  const std::string& op = f[0];
  const char* section = Text(f, 1);
  const char* name = Text(f, 2);
  std::ostringstream out;
  out << line << " -> ";
  if (op == "get") {
    char value[2048];
    const int len = f.size() > 3 ? std::atoi(f[3].c_str()) : 256;
    const int rc = file.GetString(section, name, value, len);
    out << rc << " \"" << value << "\"";
  } else if (op == "int") {
    int value = 0;
    const int rc = file.GetInt(section, name, &value, -1);
    out << rc << " " << value;
  } else if (op == "long") {
    long value = 0;
    const int rc = file.GetLong(section, name, &value, -1);
    out << rc << " " << value;
  } else if (op == "double") {
    double value = 0;
    const int rc = file.GetDouble(section, name, &value, -1.5);
    out << rc << " " << FormatDouble(value);
  } else if (op == "char") {
    char value = 0;
    const int rc = file.GetChar(section, name, &value, '?');
    out << rc << " " << static_cast<int>(static_cast<unsigned char>(value));
  } else if (op == "bool") {
    bool value = false;
    const int rc = file.GetBool(section, name, &value, true);
    out << rc << " " << (value ? "true" : "false");
  } else if constexpr (!std::is_same_v<Store, CConfigFile>) {
    out << "not a lookup";
  } else if (op == "write") {
    out << file.WriteString(section, name, Text(f, 3));
  } else if (op == "writeint") {
    out << file.WriteInt(section, name, std::atoi(f.at(3).c_str()));
  } else if (op == "writebool") {
    out << file.WriteBool(section, name, f.at(3) == "true");
  } else if (op == "writedouble") {
    const std::string& v = f.at(3);
    const double value = v == "inf" ? HUGE_VAL : v == "nan" ? std::nan("") : std::strtod(v.c_str(), nullptr);
    out << file.WriteDouble(section, name, value);
  } else if (op == "sections") {
    char list[1024];
    const int rc = file.GetSectionNames(list, sizeof list);
    out << rc << " \"" << list << "\"";
  } else if (op == "names") {
    char list[1024];
    const int rc = file.GetNames(section, list, sizeof list);
    out << rc << " \"" << list << "\"";
  } else {
    out << "unknown command";
  }
  return out.str();
}

// A case: its starting file (none when it has no .ini) copied to `path`, and its
// commands without the comments and empty lines.
class ConfigCases : public ::testing::TestWithParam<std::string> {
 protected:
  const std::string base = kCaseDir + "/" + GetParam();
  TempDir dir;
  const std::string path = dir.File("case.ini");
  std::string input;

  void SetUp() override {
    bool haveInput = false;
    input = ReadFileBytes(base + ".ini", &haveInput);
    if (haveInput) WriteFileBytes(path, input);
  }

  std::vector<std::string> Commands() const {
    std::vector<std::string> lines;
    std::istringstream commands(ReadFileBytes(base + ".cmd"));
    std::string line;
    while (std::getline(commands, line)) {
      if (!line.empty() && line[0] != ';') lines.push_back(line);
    }
    return lines;
  }
};

TEST_P(ConfigCases, MatchesBaseline) {
  std::string transcript;
  {
    CConfigFile file(path.c_str());
    for (const std::string& line : Commands()) transcript += RunCommand(file, line) + "\n";
  }
  bool haveOutput = false;
  const std::string output = ReadFileBytes(path, &haveOutput);
  transcript += haveOutput ? "== file ==\n" + output : "== no file ==\n";
  EXPECT_EQ(dir.List().size(), haveOutput ? 1u : 0u) << "no other file may be left behind";

  ExpectMatchesFile(base + ".expected", transcript);
}

// The lookups on one copy of the text in memory find what the file's getters find,
// with the same codes; the case's writes go to the file, and the copy is taken anew.
TEST_P(ConfigCases, TextLookupsAgreeWithTheFile) {
  CConfigFile file(path.c_str());
  ConfigText text(input);
  for (const std::string& line : Commands()) {
    if (IsLookup(line)) {
      EXPECT_EQ(RunCommand(text, line), RunCommand(file, line));
    } else {
      RunCommand(file, line);
      text = ConfigText(ReadFileBytes(path));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(IniFiles, ConfigCases, ::testing::ValuesIn(CaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& param) { return param.param; });

}  // namespace
