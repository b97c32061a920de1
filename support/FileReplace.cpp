#include "support/FileReplace.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace spekulor::support {

namespace {

constexpr int kMaxLinkHops = 40;  // as the kernel allows before ELOOP

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Follows symbolic links from `path` to the path of the file they finally name,
// which need not exist. Returns 0 or an errno value.
int ResolveLinks(const std::string& path, std::string& resolved) {
  resolved = path;
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat st {};
    if (lstat(resolved.c_str(), &st) != 0) return errno == ENOENT ? 0 : errno;
    if (!S_ISLNK(st.st_mode)) return 0;
    std::vector<char> target(PATH_MAX + 1);
    const ssize_t length = readlink(resolved.c_str(), target.data(), PATH_MAX);
    if (length < 0) return errno;
    const std::string link(target.data(), static_cast<size_t>(length));
    resolved = (!link.empty() && link[0] == '/') ? link : FolderOf(resolved) + "/" + link;
  }
  return ELOOP;
}

// Writes all of `bytes` to `fd`, going on after short writes and interruptions; a
// write that takes nothing counts as an input/output error.
int WriteBytesToDescriptor(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return EIO;
    done += static_cast<size_t>(n);
  }
  return 0;
}

// Records the failed step and hands its error on.
int Failed(FileReplaceStep step, int error, FileReplaceStep* failedStep) {
  if (failedStep != nullptr) *failedStep = step;
  return error;
}

int WriteInPlace(const std::string& path, std::string_view bytes, FileReplaceStep* failedStep) {
  const int fd = open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return Failed(FileReplaceStep::Create, errno, failedStep);
  const int writeError = WriteBytesToDescriptor(fd, bytes);
  const int closeError = close(fd) == 0 ? 0 : errno;
  const int error = writeError != 0 ? writeError : closeError;
  return error != 0 ? Failed(FileReplaceStep::Write, error, failedStep) : 0;
}

mode_t CurrentUmask() {
  const mode_t mask = umask(0);
  umask(mask);
  return mask;
}

// ---- A signal that ends the process removes the temporary file first ----
//
// SIGINT, SIGTERM and SIGHUP end a process by default; one that came while a file is
// written would leave the temporary file beside the target. While a replacement runs,
// each of them that still has its default action gets a handler that removes the
// temporary file and then ends the process as the signal would (default action
// restored, signal raised again). A signal the program handles or ignores is left to
// the program: the process goes on and the replacement finishes or cleans up itself.
// The handler may only make async-signal-safe calls: the path it removes waits in a
// static buffer, set and cleared while this thread blocks the signals.

constexpr int kEndingSignals[] = {SIGHUP, SIGINT, SIGTERM};
constexpr size_t kEndingSignalCount = sizeof kEndingSignals / sizeof kEndingSignals[0];

char g_pendingTemporary[PATH_MAX];
volatile sig_atomic_t g_temporaryPending = 0;
// One replacement at a time owns the handlers; another thread's writes go on without.
std::atomic<bool> g_handlersTaken{false};

extern "C" void RemoveTemporaryAndEnd(int signalNumber) {
  const int savedErrno = errno;
  if (g_temporaryPending != 0) unlink(g_pendingTemporary);
  struct sigaction defaultAction {};
  defaultAction.sa_handler = SIG_DFL;
  sigemptyset(&defaultAction.sa_mask);
  sigaction(signalNumber, &defaultAction, nullptr);
  // Blocked until the handler returns, then delivered with the default action.
  raise(signalNumber);
  errno = savedErrno;
}

// Blocks the ending signals in this thread for its lifetime.
class EndingSignalsBlocked {
 public:
  EndingSignalsBlocked() {
    sigset_t set;
    sigemptyset(&set);
    for (int signalNumber : kEndingSignals) sigaddset(&set, signalNumber);
    pthread_sigmask(SIG_BLOCK, &set, &m_previous);
  }
  ~EndingSignalsBlocked() { pthread_sigmask(SIG_SETMASK, &m_previous, nullptr); }
  EndingSignalsBlocked(const EndingSignalsBlocked&) = delete;
  EndingSignalsBlocked& operator=(const EndingSignalsBlocked&) = delete;

 private:
  sigset_t m_previous;
};

// Installs the handler, for the lifetime of one replacement, on the ending signals
// that have their default action, and restores them afterwards.
class TemporaryCleanupOnSignal {
 public:
  TemporaryCleanupOnSignal() {
    m_owner = !g_handlersTaken.exchange(true);
    if (!m_owner) return;
    EndingSignalsBlocked blocked;
    for (size_t i = 0; i < kEndingSignalCount; ++i) {
      struct sigaction current {};
      if (sigaction(kEndingSignals[i], nullptr, &current) != 0) continue;
      const bool takesDefault = (current.sa_flags & SA_SIGINFO) == 0 && current.sa_handler == SIG_DFL;
      if (!takesDefault) continue;
      struct sigaction cleanup {};
      cleanup.sa_handler = RemoveTemporaryAndEnd;
      sigemptyset(&cleanup.sa_mask);
      for (int signalNumber : kEndingSignals) sigaddset(&cleanup.sa_mask, signalNumber);
      cleanup.sa_flags = SA_RESTART;
      m_installed[i] = sigaction(kEndingSignals[i], &cleanup, &m_previous[i]) == 0;
    }
  }
  ~TemporaryCleanupOnSignal() {
    if (!m_owner) return;
    {
      EndingSignalsBlocked blocked;
      g_temporaryPending = 0;
      for (size_t i = 0; i < kEndingSignalCount; ++i) {
        if (m_installed[i]) sigaction(kEndingSignals[i], &m_previous[i], nullptr);
      }
    }
    g_handlersTaken.store(false);
  }
  TemporaryCleanupOnSignal(const TemporaryCleanupOnSignal&) = delete;
  TemporaryCleanupOnSignal& operator=(const TemporaryCleanupOnSignal&) = delete;

  // With the ending signals blocked: `path` is the file a signal is to remove, or
  // null for none.
  void SetPending(const char* path) {
    if (!m_owner) return;
    g_temporaryPending = 0;
    if (path == nullptr) return;
    const size_t length = std::char_traits<char>::length(path);
    if (length >= sizeof g_pendingTemporary) return;
    std::char_traits<char>::copy(g_pendingTemporary, path, length + 1);
    g_temporaryPending = 1;
  }

 private:
  bool m_owner = false;
  bool m_installed[kEndingSignalCount] = {};
  struct sigaction m_previous[kEndingSignalCount] = {};
};

// The temporary file beside the target; removed by the destructor unless renamed.
// It is made, renamed and removed with the ending signals blocked, so that a signal
// finds it either registered with `cleanup` or not there.
class TempFile {
 public:
  TempFile(const std::string& folder, TemporaryCleanupOnSignal& cleanup)
      : m_path(folder + "/.spekulor-XXXXXX"), m_cleanup(cleanup) {
    EndingSignalsBlocked blocked;
    m_fd = mkostemp(&m_path[0], O_CLOEXEC);
    m_error = m_fd < 0 ? errno : 0;
    if (m_fd >= 0) m_cleanup.SetPending(m_path.c_str());
  }
  ~TempFile() {
    if (m_fd >= 0) close(m_fd);
    if (m_error != 0 || m_renamed) return;
    EndingSignalsBlocked blocked;
    unlink(m_path.c_str());
    m_cleanup.SetPending(nullptr);
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  int Error() const { return m_error; }
  int Fd() const { return m_fd; }
  int Close() {
    const int result = close(m_fd);
    m_fd = -1;
    return result == 0 ? 0 : errno;
  }
  // Renames the file to `target`: 0 or the errno value.
  int RenameTo(const std::string& target) {
    EndingSignalsBlocked blocked;
    if (rename(m_path.c_str(), target.c_str()) != 0) return errno;
    m_renamed = true;
    m_cleanup.SetPending(nullptr);
    return 0;
  }

 private:
  std::string m_path;
  TemporaryCleanupOnSignal& m_cleanup;
  int m_fd = -1;
  int m_error = 0;
  bool m_renamed = false;
};

// Flushes a folder's entries, so a rename survives a crash; not every file system
// allows it, and the new content is in place either way.
void SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)fsync(fd);
  close(fd);
}

}  // namespace

int ReplaceFileContents(const std::string& path, std::string_view bytes,
                        FileReplaceStep* failedStep) {
  if (failedStep != nullptr) *failedStep = FileReplaceStep::None;
  const FileReplaceStep create = FileReplaceStep::Create;
  const FileReplaceStep write = FileReplaceStep::Write;
  if (path.empty()) return Failed(create, ENOENT, failedStep);
  std::string target;
  if (const int error = ResolveLinks(path, target)) return Failed(create, error, failedStep);

  struct stat st {};
  bool exists = false;
  if (stat(target.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) return WriteInPlace(target, bytes, failedStep);
    exists = true;
  } else if (errno != ENOENT) {
    return Failed(create, errno, failedStep);
  }
  if (exists) {
    // The rename would replace the file whenever its folder is writable, whatever the
    // file's own permissions; a file this user may not write stays as it is. Opening
    // it for writing, without truncating, asks the system exactly that.
    const int probe = open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (probe < 0) return Failed(create, errno, failedStep);
    close(probe);
  }

  const std::string folder = FolderOf(target);
  TemporaryCleanupOnSignal cleanup;
  TempFile temp(folder, cleanup);
  if (temp.Error() != 0) return Failed(create, temp.Error(), failedStep);

  const mode_t mode = exists ? (st.st_mode & 07777) : (0666 & ~CurrentUmask());
  if (exists) {
    // Keeping the owner needs privileges; the permission bits are what matter.
    (void)fchown(temp.Fd(), st.st_uid, st.st_gid);
  }
  if (fchmod(temp.Fd(), mode) != 0) return Failed(create, errno, failedStep);
  if (const int error = WriteBytesToDescriptor(temp.Fd(), bytes)) return Failed(write, error, failedStep);
  if (fsync(temp.Fd()) != 0) return Failed(write, errno, failedStep);
  if (const int error = temp.Close()) return Failed(write, error, failedStep);
  if (const int error = temp.RenameTo(target)) return Failed(write, error, failedStep);
  SyncFolder(folder);
  return 0;
}

}  // namespace spekulor::support
