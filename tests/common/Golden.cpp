#include "tests/common/Golden.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "tests/common/TestFiles.h"

std::string GoldenPath(const std::string& folder, const std::string& name) {
  return std::string(SPEKULOR_TESTS_SOURCE_DIR) + "/" + folder + "/golden/" + name;
}

std::string Golden(const std::string& folder, const std::string& name) {
  const std::string path = GoldenPath(folder, name);
  bool ok = false;
  std::string bytes = ReadFileBytes(path, &ok);
  if (!ok) throw std::runtime_error("missing golden file " + path);
  return bytes;
}

bool UpdatingGoldens() {
  const char* update = std::getenv("SPEKULOR_UPDATE_GOLDEN");
  return update != nullptr && std::strcmp(update, "1") == 0;
}

void ExpectMatchesFile(const std::string& path, const std::string& actual) {
  if (UpdatingGoldens()) WriteFileBytes(path, actual);
  bool ok = false;
  const std::string expected = ReadFileBytes(path, &ok);
  ASSERT_TRUE(ok) << path << " is missing";
  // Not EXPECT_EQ: a difference of a few bytes in a long file would print both whole.
  EXPECT_TRUE(actual == expected) << "differs from " << path << " (" << actual.size()
                                  << " bytes, expected " << expected.size() << ")";
}

void ExpectGolden(const std::string& folder, const std::string& name, const std::string& actual) {
  ExpectMatchesFile(GoldenPath(folder, name), actual);
}

void ExpectLinesAt(const std::vector<std::string>& lines, const LinesAt& expected) {
  for (const auto& [index, text] : expected) {
    ASSERT_LT(index, lines.size()) << text;
    EXPECT_EQ(lines[index], text) << "line " << index;
  }
}
