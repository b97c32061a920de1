#include "FileReplace.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// The temporary file beside the target; removed by the destructor unless renamed.
class TempFile {
 public:
  explicit TempFile(const std::string& folder) : m_path(folder + "/.spekulor-XXXXXX") {
    m_fd = mkostemp(&m_path[0], O_CLOEXEC);
    m_error = m_fd < 0 ? errno : 0;
  }
  ~TempFile() {
    if (m_fd >= 0) close(m_fd);
    if (m_error == 0 && !m_renamed) unlink(m_path.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  int Error() const { return m_error; }
  int Fd() const { return m_fd; }
  const std::string& Path() const { return m_path; }
  int Close() {
    const int result = close(m_fd);
    m_fd = -1;
    return result == 0 ? 0 : errno;
  }
  void Renamed() { m_renamed = true; }

 private:
  std::string m_path;
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

  const std::string folder = FolderOf(target);
  TempFile temp(folder);
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
  if (rename(temp.Path().c_str(), target.c_str()) != 0) return Failed(write, errno, failedStep);
  temp.Renamed();
  SyncFolder(folder);
  return 0;
}
