#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FileReplace.h"
#include "FileTestKit.h"

namespace {

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

const std::string kOld = "old content that must survive\r\n";

TEST(ReplaceFileContents, CreatesANewFileWithTheUmasksPermissions) {
  TempDir folder;
  const std::string path = folder.File("new.len");
  const mode_t previous = ::umask(027);
  const int result = ReplaceFileContents(path, "abc\r\n");
  ::umask(previous);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ReadFileBytes(path), "abc\r\n");
  EXPECT_EQ(ModeOf(path), 0640u);
  EXPECT_EQ(folder.List(), std::vector<std::string>{"new.len"});
}

TEST(ReplaceFileContents, ReplacesAnExistingFileWholeAndKeepsItsMode) {
  TempDir folder;
  const std::string path = folder.File("old.len");
  WriteFileBytes(path, std::string(5000, 'x'));
  ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
  EXPECT_EQ(ReplaceFileContents(path, "short"), 0);
  EXPECT_EQ(ReadFileBytes(path), "short");
  EXPECT_EQ(ModeOf(path), 0604u);
  EXPECT_EQ(ReplaceFileContents(path, ""), 0);
  EXPECT_EQ(ReadFileBytes(path), "");
  EXPECT_EQ(folder.List(), std::vector<std::string>{"old.len"});
}

TEST(ReplaceFileContents, ASymbolicLinkStaysALinkToTheNewContent) {
  TempDir folder;
  WriteFileBytes(folder.File("real.len"), kOld);
  ASSERT_EQ(::symlink("real.len", folder.File("link.len").c_str()), 0);
  EXPECT_EQ(ReplaceFileContents(folder.File("link.len"), "new"), 0);
  struct stat st {};
  ASSERT_EQ(::lstat(folder.File("link.len").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(ReadFileBytes(folder.File("real.len")), "new");

  // A link whose file does not exist yet: the file is created where it points.
  ASSERT_EQ(::symlink("later.len", folder.File("dangling.len").c_str()), 0);
  EXPECT_EQ(ReplaceFileContents(folder.File("dangling.len"), "made"), 0);
  EXPECT_EQ(ReadFileBytes(folder.File("later.len")), "made");
  ASSERT_EQ(::lstat(folder.File("dangling.len").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST(ReplaceFileContents, AFullFileSystemLeavesTheOldFileIntact) {
  TempDir folder;
  const std::string path = folder.File("design.len");
  WriteFileBytes(path, kOld);
  const std::string big(64 * 1024, 'y');
  const int status = RunWithFileSizeLimit(4096, [&] {
    const int error = ReplaceFileContents(path, big);
    return error == EFBIG ? 0 : 10 + (error == 0 ? 0 : 1);
  });
  EXPECT_EQ(status, 0) << "the write past the limit must fail with EFBIG";
  EXPECT_EQ(ReadFileBytes(path), kOld);
  EXPECT_EQ(folder.List(), std::vector<std::string>{"design.len"}) << "temporary file left";

  // Within the limit the same child process writes the file.
  EXPECT_EQ(RunWithFileSizeLimit(4096, [&] { return ReplaceFileContents(path, "fits"); }), 0);
  EXPECT_EQ(ReadFileBytes(path), "fits");
}

TEST(ReplaceFileContents, FailsWhenTheFolderCannotTakeTheFile) {
  TempDir folder;
  WriteFileBytes(folder.File("plain"), kOld);
  // The "folder" is a regular file.
  EXPECT_EQ(ReplaceFileContents(folder.File("plain") + "/x.len", "abc"), ENOTDIR);
  EXPECT_EQ(ReplaceFileContents(folder.File("missing") + "/x.len", "abc"), ENOENT);
  EXPECT_NE(ReplaceFileContents("", "abc"), 0);
  EXPECT_EQ(ReadFileBytes(folder.File("plain")), kOld);

  // A folder where no temporary file can be made (not for root, who may write anyway).
  if (::geteuid() != 0) {
    const std::string locked = folder.File("locked");
    ASSERT_EQ(::mkdir(locked.c_str(), 0700), 0);
    WriteFileBytes(locked + "/a.len", kOld);
    ASSERT_EQ(::chmod(locked.c_str(), 0500), 0);
    EXPECT_EQ(ReplaceFileContents(locked + "/a.len", "abc"), EACCES);
    ::chmod(locked.c_str(), 0700);
    EXPECT_EQ(ReadFileBytes(locked + "/a.len"), kOld);
  }
}

TEST(ReplaceFileContents, APipeIsWrittenInPlace) {
  TempDir folder;
  const std::string fifo = folder.File("pipe.len");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] {
    const int fd = ::open(fifo.c_str(), O_RDONLY);
    char buffer[256];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0) received.append(buffer, static_cast<size_t>(n));
    ::close(fd);
  });
  const int result = ReplaceFileContents(fifo, "through the pipe\r\n");
  reader.join();
  EXPECT_EQ(result, 0);
  EXPECT_EQ(received, "through the pipe\r\n");
  struct stat st {};
  ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the pipe was replaced";
  EXPECT_EQ(folder.List(), std::vector<std::string>{"pipe.len"});
}

TEST(ReplaceFileContents, TheNullDeviceIsWrittenInPlace) {
  EXPECT_EQ(ReplaceFileContents("/dev/null", "discarded"), 0);
  struct stat st {};
  ASSERT_EQ(::stat("/dev/null", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
}

}  // namespace
