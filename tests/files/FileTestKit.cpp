#include "FileTestKit.h"

#include <cstdlib>
#include <stdexcept>

std::string Golden(const std::string& name) {
  const std::string path = std::string(SPEKULOR_FILES_GOLDEN_DIR) + "/" + name;
  bool ok = false;
  std::string bytes = ReadFileBytes(path, &ok);
  if (!ok) throw std::runtime_error("missing golden file " + path);
  return bytes;
}

bool UpdateGolden(const std::string& name, const std::string& bytes) {
  if (std::getenv("SPEKULOR_UPDATE_GOLDEN") == nullptr) return false;
  WriteFileBytes(std::string(SPEKULOR_FILES_GOLDEN_DIR) + "/" + name, bytes);
  return true;
}
