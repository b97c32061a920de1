// Helpers for the design-file and lens-export tests: a private temporary folder,
// whole-file reading and writing, golden files, and running code in a child process
// whose file-size limit makes writes fail.
#ifndef SPEKULOR_TESTS_FILES_FILETESTKIT_H
#define SPEKULOR_TESTS_FILES_FILETESTKIT_H

#include <functional>
#include <string>
#include <vector>

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& Path() const { return m_path; }
  std::string File(const std::string& name) const { return m_path + "/" + name; }
  // The names in the folder, sorted (hidden ones included).
  std::vector<std::string> Names() const;

 private:
  std::string m_path;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool PathExists(const std::string& path);

// A file of tests/files/golden.
std::string Golden(const std::string& name);

// Runs `body` in a forked child in which files may grow to `limitBytes` at most
// (RLIMIT_FSIZE) and SIGXFSZ is ignored, so a write beyond the limit fails with
// EFBIG instead of ending the process. Returns the child's exit status, -1 when it
// did not exit normally.
int RunWithFileSizeLimit(long limitBytes, const std::function<int()>& body);

#endif
