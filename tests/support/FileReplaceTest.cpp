// The one safe writer: ReplaceFileContents, and the configuration store's writes
// through it. A replacement goes through a temporary file; symbolic links, permissions,
// pipes and devices written in place; and real failures (a folder that is a regular
// file, a file-size limit) that must leave the original byte for byte as it was and no
// temporary file behind.
#include "support/AppCore.h"
#include "support/ConfigFile.h"
#include "support/FileReplace.h"
#include "tests/common/TestFiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/select.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace spekulor::support;

namespace {

using Names = std::vector<std::string>;

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
    FileReplaceStep step = FileReplaceStep::None;
    const int error = ReplaceFileContents(path, big, &step);
    if (step != FileReplaceStep::Write) return 20;
    return error == EFBIG ? 0 : 10 + (error == 0 ? 0 : 1);
  });
  EXPECT_EQ(status, 0) << "the write past the limit must fail with EFBIG, in the write step";
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
  FileReplaceStep step = FileReplaceStep::None;
  EXPECT_EQ(ReplaceFileContents(folder.File("plain") + "/x.len", "abc", &step), ENOTDIR);
  EXPECT_EQ(step, FileReplaceStep::Create);
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
  FileReplaceStep step = FileReplaceStep::Write;
  EXPECT_EQ(ReplaceFileContents("/dev/null", "discarded", &step), 0);
  EXPECT_EQ(step, FileReplaceStep::None);
  struct stat st {};
  ASSERT_EQ(::stat("/dev/null", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
}

// The rename would replace a read-only file whenever its folder is writable; an
// ordinary user (not root, whom no permission stops) must be refused, by every
// caller alike, and find the file as it was.
TEST(ReplaceFileContents, AFileThisUserMayNotWriteIsRefusedAndKept) {
  TempDir folder;
  OpenFolderToEveryone(folder.Path());
  const std::string path = folder.File("locked.len");
  const int status = RunAsOrdinaryUser([&] {
    WriteFileBytes(path, kOld);
    if (::chmod(path.c_str(), 0444) != 0) return 90;
    FileReplaceStep step = FileReplaceStep::None;
    if (ReplaceFileContents(path, "replaced", &step) != EACCES) return 10;
    if (step != FileReplaceStep::Create) return 11;
    CConfigFile store(path.c_str());
    if (store.WriteInt("Optics", "Unit", 1) != kConfigCannotOpen) return 12;
    if (store.SystemError() != EACCES) return 13;
    // The same user may still replace a file it may write.
    if (::chmod(path.c_str(), 0644) != 0) return 91;
    if (ReplaceFileContents(path, "replaced") != 0) return 14;
    if (ReadFileBytes(path) != "replaced") return 15;
    if (::chmod(path.c_str(), 0444) != 0) return 92;
    return 0;
  });
  if (status == kNoOrdinaryUser) GTEST_SKIP() << "cannot run as a user other than root";
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadFileBytes(path), "replaced");
  EXPECT_EQ(ModeOf(path), 0444u);
  EXPECT_EQ(folder.List(), std::vector<std::string>{"locked.len"}) << "temporary file left";
}

// The ending signals keep their default action around a replacement.
TEST(ReplaceFileContents, TheSignalActionsAreAsBeforeAfterAReplacement) {
  TempDir folder;
  ASSERT_EQ(ReplaceFileContents(folder.File("a.len"), "abc"), 0);
  for (int signalNumber : {SIGHUP, SIGINT, SIGTERM}) {
    struct sigaction action {};
    ASSERT_EQ(::sigaction(signalNumber, nullptr, &action), 0);
    EXPECT_EQ(action.sa_handler, SIG_DFL) << signalNumber;
  }
}

// A child that replaces a large file and then waits to be ended; `ready` gets a byte
// just before the replacement starts, `done` one after it.
pid_t StartLargeReplacement(const std::string& path, const std::string& bytes, int ready,
                            int done) {
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    (void)!::write(ready, "r", 1);
    const int error = ReplaceFileContents(path, bytes);
    (void)!::write(done, error == 0 ? "0" : "1", 1);
    for (;;) ::pause();
  }
  return pid;
}

// True when the folder holds a temporary file of the writer.
bool HoldsTemporaryFile(const TempDir& folder) {
  for (const std::string& name : folder.List()) {
    if (name.rfind(".spekulor-", 0) == 0) return true;
  }
  return false;
}

// True when a byte is waiting on `fd` (without waiting for one).
bool ByteWaiting(int fd) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(fd, &set);
  timeval now{0, 0};
  return ::select(fd + 1, &set, nullptr, nullptr, &now) > 0;
}

// SIGINT or SIGTERM sent while the temporary file exists ends the writer without
// leaving it: the target holds the old or the new content whole. The signal goes out
// as soon as the temporary file shows (or the write has finished), so most runs end
// the write in its middle.
TEST(ReplaceFileContents, AnEndingSignalLeavesNoTemporaryFile) {
  TempDir folder;
  const std::string path = folder.File("big.len");
  const std::string before(256 * 1024, 'o');
  const std::string after(8 * 1024 * 1024, 'n');
  int interrupted = 0;
  for (int signalNumber : {SIGINT, SIGTERM}) {
    for (int run = 0; run < 20; ++run) {
      WriteFileBytes(path, before);
      int ready[2];
      int done[2];
      ASSERT_EQ(::pipe(ready), 0);
      ASSERT_EQ(::pipe(done), 0);
      const pid_t writer = StartLargeReplacement(path, after, ready[1], done[1]);
      ASSERT_GT(writer, 0);
      char byte = 0;
      ASSERT_EQ(::read(ready[0], &byte, 1), 1);
      while (!HoldsTemporaryFile(folder) && !ByteWaiting(done[0])) {
      }
      ASSERT_EQ(::kill(writer, signalNumber), 0);
      int status = 0;
      ASSERT_EQ(::waitpid(writer, &status, 0), writer);
      for (int fd : {ready[0], ready[1], done[0], done[1]}) ::close(fd);
      ASSERT_TRUE(WIFSIGNALED(status)) << "run " << run;
      EXPECT_EQ(WTERMSIG(status), signalNumber);
      EXPECT_EQ(folder.List(), std::vector<std::string>{"big.len"})
          << "signal " << signalNumber << ", run " << run << ": temporary file left";
      const std::string content = ReadFileBytes(path);
      const bool whole = content == before || content == after;
      EXPECT_TRUE(whole) << "signal " << signalNumber << ", run " << run << ": "
                         << content.size() << " bytes";
      if (content == before) ++interrupted;
    }
  }
  std::printf("writes ended in their middle: %d of 40\n", interrupted);
}

// A signal the program handles is the program's: the write goes on to its end, the
// handler runs, and it is still installed afterwards.
TEST(ReplaceFileContents, AHandlerOfTheProgramKeepsItsSignal) {
  TempDir folder;
  const std::string path = folder.File("big.len");
  WriteFileBytes(path, "old");
  const std::string after(8 * 1024 * 1024, 'n');
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  std::fflush(nullptr);
  const pid_t writer = ::fork();
  if (writer == 0) {
    static volatile sig_atomic_t caught = 0;
    struct sigaction own {};
    own.sa_handler = [](int) { caught = 1; };
    sigemptyset(&own.sa_mask);
    ::sigaction(SIGTERM, &own, nullptr);
    (void)!::write(ready[1], "r", 1);
    const int error = ReplaceFileContents(path, after);
    // The signal came during the write or comes now: wait for it.
    while (caught == 0) ::usleep(1000);
    struct sigaction now {};
    ::sigaction(SIGTERM, nullptr, &now);
    ::_exit(error != 0 ? 10 : now.sa_handler != own.sa_handler ? 11 : 0);
  }
  ASSERT_GT(writer, 0);
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);
  while (!HoldsTemporaryFile(folder) && ReadFileBytes(path) == "old") {
  }
  ASSERT_EQ(::kill(writer, SIGTERM), 0);
  int status = 0;
  ASSERT_EQ(::waitpid(writer, &status, 0), writer);
  ::close(ready[0]);
  ::close(ready[1]);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadFileBytes(path), after);
  EXPECT_EQ(folder.List(), std::vector<std::string>{"big.len"});
}

// ---- The configuration store writes through it ----

std::string LinkTarget(const std::string& path) {
  char target[512];
  const ssize_t n = ::readlink(path.c_str(), target, sizeof target);
  return n < 0 ? std::string() : std::string(target, static_cast<std::size_t>(n));
}

class ConfigWriteSafety : public ::testing::Test {
 protected:
  void SetUp() override { m_oldMask = ::umask(022); }
  void TearDown() override { ::umask(m_oldMask); }
  TempDir m_dir;
  mode_t m_oldMask = 0;
};

TEST_F(ConfigWriteSafety, NewFileGetsTheFirstLineAndOrdinaryPermissions) {
  const std::string path = m_dir.File("new.spekulor");
  CConfigFile file(path.c_str());
  EXPECT_EQ(file.WriteInt("Optics", "Unit", 1), kConfigOk);
  EXPECT_EQ(ReadFileBytes(path), "# generated by Spekulor\r\n[Optics]\r\nUnit=1\r\n");
  EXPECT_EQ(ModeOf(path), 0644u);
  EXPECT_EQ(m_dir.List(), Names{"new.spekulor"});
}

TEST_F(ConfigWriteSafety, ReplacementKeepsPermissions) {
  const std::string path = m_dir.File("design.spekulor");
  WriteFileBytes(path, "[Optics]\nUnit=0\n");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  CConfigFile file(path.c_str());
  EXPECT_EQ(file.WriteInt("Optics", "Unit", 1), kConfigOk);
  EXPECT_EQ(ReadFileBytes(path), "[Optics]\r\nUnit=1\r\n");
  EXPECT_EQ(ModeOf(path), 0640u);
  EXPECT_EQ(m_dir.List(), Names{"design.spekulor"});
}

TEST_F(ConfigWriteSafety, SymbolicLinkKeepsPointingAtTheReplacedFile) {
  ASSERT_EQ(::mkdir(m_dir.File("real").c_str(), 0755), 0);
  const std::string target = m_dir.File("real/design.spekulor");
  WriteFileBytes(target, "[Optics]\nUnit=0\n");
  const std::string link = m_dir.File("link.spekulor");
  ASSERT_EQ(::symlink("real/design.spekulor", link.c_str()), 0);
  CConfigFile file(link.c_str());
  EXPECT_EQ(file.WriteInt("Optics", "Unit", 1), kConfigOk);
  EXPECT_EQ(LinkTarget(link), "real/design.spekulor");
  EXPECT_EQ(ReadFileBytes(target), "[Optics]\r\nUnit=1\r\n");
  EXPECT_EQ(m_dir.List(), (Names{"link.spekulor", "real"}));

  // A link to a file that does not exist yet creates that file.
  const std::string dangling = m_dir.File("dangling.spekulor");
  ASSERT_EQ(::symlink("real/new.spekulor", dangling.c_str()), 0);
  CConfigFile fresh(dangling.c_str());
  EXPECT_EQ(fresh.WriteInt("Optics", "Unit", 1), kConfigOk);
  EXPECT_EQ(LinkTarget(dangling), "real/new.spekulor");
  EXPECT_EQ(ReadFileBytes(m_dir.File("real/new.spekulor")),
            "# generated by Spekulor\r\n[Optics]\r\nUnit=1\r\n");
}

TEST_F(ConfigWriteSafety, LoopOfLinksIsRefused) {
  const std::string a = m_dir.File("a");
  const std::string b = m_dir.File("b");
  ASSERT_EQ(::symlink("b", a.c_str()), 0);
  ASSERT_EQ(::symlink("a", b.c_str()), 0);
  CConfigFile file(a.c_str());
  EXPECT_EQ(file.WriteInt("Optics", "Unit", 1), kConfigCannotRead);
  EXPECT_EQ(LinkTarget(a), "b");
  EXPECT_EQ(LinkTarget(b), "a");
  EXPECT_EQ(m_dir.List(), (Names{"a", "b"}));
}

TEST_F(ConfigWriteSafety, TemporaryFileThatCannotBeCreatedLeavesNothing) {
  // Root passes every permission check; a folder that is a regular file stops it.
  const std::string notAFolder = m_dir.File("plain");
  WriteFileBytes(notAFolder, "keep me\n");
  CConfigFile file((notAFolder + "/design.spekulor").c_str());
  EXPECT_EQ(file.WriteInt("Optics", "Unit", 1), kConfigCannotRead);

  const std::string link = m_dir.File("link.spekulor");
  ASSERT_EQ(::symlink("plain/design.spekulor", link.c_str()), 0);
  CConfigFile throughLink(link.c_str());
  EXPECT_EQ(throughLink.WriteInt("Optics", "Unit", 1), kConfigCannotRead);
  EXPECT_EQ(LinkTarget(link), "plain/design.spekulor");
  EXPECT_EQ(ReadFileBytes(notAFolder), "keep me\n");
  EXPECT_EQ(m_dir.List(), (Names{"link.spekulor", "plain"}));
}

// Runs one write in a child whose file-size limit is `limit` bytes, with SIGXFSZ
// ignored so that the failing write returns an error; gives the write's result.
int WriteUnderSizeLimit(const std::string& path, rlim_t limit, const std::string& value) {
  const ChildResult child = RunInChild([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    const struct rlimit fsize = {limit, limit};
    if (::setrlimit(RLIMIT_FSIZE, &fsize) != 0) return 99;
    CConfigFile file(path.c_str());
    return file.WriteString("Optics", "Comment", value.c_str());
  });
  return child.exitStatus;
}

TEST_F(ConfigWriteSafety, WriteFailingMidwayLeavesTheOriginalIntact) {
  const std::string path = m_dir.File("design.spekulor");
  std::string original = "# generated by Spekulor\r\n[Optics]\r\n";
  for (int i = 0; i < 60; ++i) original += "Line" + std::to_string(i) + "=some value of a line\r\n";
  original += "\n\ntrailing without end";
  WriteFileBytes(path, original);
  ASSERT_GT(original.size(), 1024u);

  // The new content is larger than the limit: the write stops after 1024 bytes.
  EXPECT_EQ(WriteUnderSizeLimit(path, 1024, std::string(200, 'v')), kConfigWriteFailed);
  EXPECT_EQ(ReadFileBytes(path), original);
  EXPECT_EQ(m_dir.List(), Names{"design.spekulor"});

  // No byte can be written at all.
  EXPECT_EQ(WriteUnderSizeLimit(path, 0, "v"), kConfigWriteFailed);
  EXPECT_EQ(ReadFileBytes(path), original);
  EXPECT_EQ(m_dir.List(), Names{"design.spekulor"});

  // The same for a file that does not exist yet: nothing is created.
  const std::string fresh = m_dir.File("fresh.spekulor");
  EXPECT_EQ(WriteUnderSizeLimit(fresh, 10, "v"), kConfigWriteFailed);
  EXPECT_EQ(m_dir.List(), Names{"design.spekulor"});

  // With room enough the same write goes through.
  EXPECT_EQ(WriteUnderSizeLimit(path, 1 << 20, "v"), kConfigOk);
  EXPECT_NE(ReadFileBytes(path), original);
}

TEST_F(ConfigWriteSafety, PipeIsWrittenInPlaceNotReplaced) {
  const std::string pipePath = m_dir.File("pipe");
  const std::string received = m_dir.File("received");
  ASSERT_EQ(::mkfifo(pipePath.c_str(), 0600), 0);

  // A lookup on a pipe without a writer finds nothing instead of waiting.
  CConfigFile file(pipePath.c_str());
  int n = 0;
  EXPECT_EQ(file.GetInt("Optics", "Unit", &n, 5), kConfigSectionNotFound);
  EXPECT_EQ(n, 5);

  std::fflush(nullptr);
  const pid_t reader = ::fork();
  if (reader == 0) {
    ::alarm(20);
    const int in = ::open(pipePath.c_str(), O_RDONLY);
    std::string bytes;
    char buffer[256];
    ssize_t got;
    while (in >= 0 && (got = ::read(in, buffer, sizeof buffer)) > 0) {
      bytes.append(buffer, static_cast<std::size_t>(got));
    }
    WriteFileBytes(received, bytes);
    ::_exit(0);
  }
  ASSERT_GT(reader, 0);
  EXPECT_EQ(file.WriteInt("Optics", "Unit", 1), kConfigOk);
  int status = 0;
  ASSERT_EQ(::waitpid(reader, &status, 0), reader);
  EXPECT_EQ(ReadFileBytes(received), "[Optics]\r\nUnit=1\r\n");
  struct stat st;
  ASSERT_EQ(::lstat(pipePath.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_EQ(m_dir.List(), (Names{"pipe", "received"}));
}

TEST_F(ConfigWriteSafety, FolderPathIsNotReplaced) {
  const std::string folder = m_dir.File("folder");
  ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
  CConfigFile file(folder.c_str());
  EXPECT_EQ(file.WriteInt("Optics", "Unit", 1), kConfigCannotOpen);
  struct stat st;
  ASSERT_EQ(::lstat(folder.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(m_dir.List(), Names{"folder"});
}

}  // namespace
