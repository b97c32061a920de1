// File helpers shared by the tests: a private temporary folder, whole-file reading
// and writing, and running a piece of code in a child process, with its standard
// error captured or with a file-size limit that makes writes fail.
#ifndef SPEKULOR_TESTS_COMMON_TESTFILES_H
#define SPEKULOR_TESTS_COMMON_TESTFILES_H

#include <functional>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with its content.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return m_path; }
  std::string File(const std::string& name) const { return m_path + "/" + name; }
  // The names in the folder, sorted (hidden ones included).
  std::vector<std::string> List() const;

 private:
  std::string m_path;
};

// The whole file as bytes; `ok` false when it cannot be read.
std::string ReadFileBytes(const std::string& path, bool* ok = nullptr);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// True when something (a file, a folder, a link) exists at the path.
bool PathExists(const std::string& path);

// What a child process did: its exit status (or -1 when it did not exit normally)
// and everything it wrote to the standard error stream.
struct ChildResult {
  int exitStatus = -1;
  std::string errorText;
};

// Runs `body` in a forked child with its standard error captured; the child ends
// with the status `body` returns (unless the body ends the process itself).
ChildResult RunInChild(const std::function<int()>& body);

// Runs `body` in a forked child in which files may grow to `limitBytes` at most
// (RLIMIT_FSIZE) and SIGXFSZ is ignored, so a write beyond the limit fails with
// EFBIG instead of ending the process. Returns the child's exit status, -1 when it
// did not exit normally.
int RunWithFileSizeLimit(long limitBytes, const std::function<int()>& body);

// In a forked child: makes the process an ordinary user, so that file permissions
// apply to it. As root it takes the user "nobody" (groups, then group, then user);
// as any other user it stays who it is. False when that cannot be done.
bool BecomeOrdinaryUser();

// The status RunAsOrdinaryUser gives when the child could not become an ordinary user.
constexpr int kNoOrdinaryUser = 125;
// Runs `body` in a forked child after BecomeOrdinaryUser: the child's exit status,
// kNoOrdinaryUser when it could not change user, -1 when it did not exit normally.
int RunAsOrdinaryUser(const std::function<int()>& body);

// Lets every user create and remove files in the folder (mode 0777), as a scratch
// folder an ordinary user can write to.
void OpenFolderToEveryone(const std::string& folder);

// The process's address space now, in bytes (from /proc/self/statm); 0 if unknown.
long long AddressSpaceInUse();

// True in a build under AddressSanitizer, whose shadow memory takes far more address
// space than any memory limit a test sets: such tests skip there. gcc says so with
// __SANITIZE_ADDRESS__, clang with __has_feature.
#if defined(__SANITIZE_ADDRESS__)
#define SPEKULOR_TESTS_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SPEKULOR_TESTS_UNDER_ASAN 1
#endif
#endif
#ifdef SPEKULOR_TESTS_UNDER_ASAN
constexpr bool kUnderAddressSanitizer = true;
#else
constexpr bool kUnderAddressSanitizer = false;
#endif

// A design file's text of exactly `size` bytes: a valid design (Diameter 203.127),
// padded with comment lines.
std::string DesignOfSize(size_t size);

// A concurrent writer: a child process that puts `first` and `second` in place of
// `path` by turns, each written beside it and renamed over it as a saving program does
// (without waiting for the disk, to replace it often). The constructor returns after
// the first replacement; Stop ends the writer and tells whether it ran without a fault.
class AlternatingWriter {
 public:
  AlternatingWriter(const std::string& path, const std::string& first, const std::string& second);
  ~AlternatingWriter();
  AlternatingWriter(const AlternatingWriter&) = delete;
  AlternatingWriter& operator=(const AlternatingWriter&) = delete;

  bool Running() const { return m_pid > 0; }
  bool Stop();

 private:
  int m_pid = -1;
  int m_stop = -1;  // the write end of the pipe whose closing stops the writer
};

#endif
