#include "tests/common/TestFiles.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <ftw.h>
#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return ::remove(path); }

}  // namespace

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") +
                        "/spekulor-test-XXXXXX";
  if (::mkdtemp(&pattern[0]) == nullptr) throw std::runtime_error("mkdtemp failed");
  m_path = pattern;
}

TempDir::~TempDir() {
  ::chmod(m_path.c_str(), 0700);  // a test may have taken the folder's permissions away
  ::nftw(m_path.c_str(), &RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

std::vector<std::string> TempDir::List() const {
  std::vector<std::string> names;
  DIR* dir = ::opendir(m_path.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadFileBytes(const std::string& path, bool* ok) {
  std::ifstream in(path, std::ios::binary);
  if (ok != nullptr) *ok = static_cast<bool>(in);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

bool PathExists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

ChildResult RunInChild(const std::function<int()>& body) {
  ChildResult result;
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return result;
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(pipeFds[0]);
    ::dup2(pipeFds[1], 2);
    ::close(pipeFds[1]);
    const int status = body();
    std::fflush(nullptr);
    ::_exit(status);
  }
  ::close(pipeFds[1]);
  char buffer[512];
  ssize_t n;
  while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0) {
    result.errorText.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(pipeFds[0]);
  int status = 0;
  if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
    result.exitStatus = WEXITSTATUS(status);
  }
  return result;
}

namespace {

// Runs `body` in a forked child after `prepare`, which gives 0 or the status the child
// ends with when it cannot prepare: the child's exit status, -1 when it did not exit
// normally.
int RunPreparedChild(const std::function<int()>& prepare, const std::function<int()>& body) {
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    if (const int failed = prepare()) ::_exit(failed);
    const int status = body();
    std::fflush(nullptr);
    ::_exit(status);
  }
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

}  // namespace

int RunWithFileSizeLimit(long limitBytes, const std::function<int()>& body) {
  return RunPreparedChild(
      [limitBytes] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{static_cast<rlim_t>(limitBytes), static_cast<rlim_t>(limitBytes)};
        return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 ? 0 : 120;
      },
      body);
}

bool BecomeOrdinaryUser() {
  if (::geteuid() != 0) return true;
  const passwd* nobody = ::getpwnam("nobody");
  if (nobody == nullptr || nobody->pw_uid == 0) return false;
  const uid_t uid = nobody->pw_uid;
  const gid_t gid = nobody->pw_gid;
  if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0) return false;
  return ::geteuid() != 0;
}

int RunAsOrdinaryUser(const std::function<int()>& body) {
  return RunPreparedChild([] { return BecomeOrdinaryUser() ? 0 : kNoOrdinaryUser; }, body);
}

void OpenFolderToEveryone(const std::string& folder) {
  if (::chmod(folder.c_str(), 0777) != 0) throw std::runtime_error("cannot open " + folder);
}

long long AddressSpaceInUse() {
  std::ifstream statm("/proc/self/statm");
  long long pages = 0;
  if (!(statm >> pages)) return 0;
  return pages * ::sysconf(_SC_PAGESIZE);
}

std::string DesignOfSize(size_t size) {
  std::string text = "[Optics]\r\nUnit=1\r\nType=0\r\nDiameter=203.127\r\n";
  while (text.size() + 2 < size) {
    const size_t line = std::min<size_t>(size - text.size() - 2, 1000);
    text += std::string(line, '#') + "\r\n";
  }
  text.resize(size, '#');
  return text;
}

AlternatingWriter::AlternatingWriter(const std::string& path, const std::string& first,
                                     const std::string& second) {
  int started[2];
  int stop[2];
  if (::pipe(started) != 0) return;
  if (::pipe(stop) != 0) {
    ::close(started[0]);
    ::close(started[1]);
    return;
  }
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(started[0]);
    ::close(stop[1]);
    const std::string beside = path + ".new";
    for (long turn = 0;; ++turn) {
      const std::string& bytes = turn % 2 == 0 ? first : second;
      const int fd = ::open(beside.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (fd < 0 ||
          ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        ::_exit(1);
      }
      ::close(fd);
      if (::rename(beside.c_str(), path.c_str()) != 0) ::_exit(2);
      if (turn == 0) (void)!::write(started[1], "s", 1);
      pollfd closed{stop[0], POLLIN, 0};
      if (::poll(&closed, 1, 0) > 0) ::_exit(0);
    }
  }
  ::close(started[1]);
  ::close(stop[0]);
  m_stop = stop[1];
  m_pid = pid;
  char byte = 0;
  if (pid < 0 || ::read(started[0], &byte, 1) != 1) Stop();
  ::close(started[0]);
}

AlternatingWriter::~AlternatingWriter() { Stop(); }

bool AlternatingWriter::Stop() {
  if (m_stop >= 0) ::close(m_stop);
  m_stop = -1;
  if (m_pid <= 0) return false;
  int status = 0;
  const bool waited = ::waitpid(m_pid, &status, 0) == m_pid;
  m_pid = -1;
  return waited && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
