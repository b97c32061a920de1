// spekulor-cli against a hostile world: empty paths, read-only files for an ordinary
// user, design files far too large, a memory limit, binary files under save, and a
// design file replaced while the program reads it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/cli/CliRun.h"
#include "tests/common/Golden.h"
#include "tests/common/TestFiles.h"

namespace {

// Every option that names a file to write, with a command line that uses it.
struct PathOption {
  const char* option;  // as the parser names it
  std::vector<std::string> before;  // the command and options before the path
};
const PathOption kPathOptions[] = {
    {"--output", {"lens", "-o"}},
    {"--output", {"export", "--format", "zmx", "-o"}},
    {"--layout", {"trace", "--rays", "50", "--layout"}},
    {"--spots", {"trace", "--rays", "50", "--spots"}},
    {"--svg", {"quality", "--grid", "16", "--svg"}},
    {"--svg", {"baffles", "--svg"}},
    {"--images", {"tolerances", "--images"}},
    {"FILE", {"save"}},
};

std::vector<std::string> With(std::vector<std::string> args, const std::string& last) {
  args.push_back(last);
  return args;
}

TEST(CliFileSafety, AnEmptyPathIsAUsageError) {
  for (const PathOption& path : kPathOptions) {
    const CliResult result = RunCli(With(path.before, ""));
    EXPECT_EQ(result.status, 64) << path.before.front() << " " << path.option;
    EXPECT_EQ(result.out, "") << path.option;
    EXPECT_EQ(result.err.rfind(std::string("spekulor-cli: ") + path.option + ": ", 0), 0u)
        << result.err;
  }
  // The assignment form too, for a long option.
  EXPECT_EQ(RunCli({"lens", "--output="}).status, 64);

  // An empty DESIGN is a path that cannot be read, for show and for report alike.
  const CliResult show = RunCli({"show", ""});
  const CliResult report = RunCli({"report", ""});
  for (const CliResult& result : {show, report}) {
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Error reading\n\"\": No such file or directory\n");
  }
}

TEST(CliFileSafety, ReadOnlyFilesAreRefusedForAnOrdinaryUser) {
  TempDir folder;
  OpenFolderToEveryone(folder.Path());
  int index = 0;
  for (const PathOption& path : kPathOptions) {
    const std::string file = folder.File("locked" + std::to_string(index++));
    WriteFileBytes(file, "kept\r\n");
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    CliLimits limits;
    limits.ordinaryUser = true;
    const CliResult result = RunCliUnder(With(path.before, file), limits);
    if (result.status == kNoOrdinaryUser) GTEST_SKIP() << "cannot run as a user other than root";
    EXPECT_EQ(result.status, 1) << path.before.front() << " " << path.option;
    EXPECT_EQ(result.err, "Error writing\n" + file + ": Permission denied\n");
    EXPECT_EQ(ReadFileBytes(file), "kept\r\n") << path.option;
  }
  EXPECT_EQ(folder.List().size(), std::size(kPathOptions)) << "temporary file left";
}

TEST(CliFileSafety, DesignFilesOverOneMebibyteAreRefusedUnread) {
  TempDir folder;
  const std::string huge = folder.File("huge.spekulor");
  const int fd = ::open(huge.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, off_t{8} << 30), 0);
  ::close(fd);
  const std::string expected = "Error reading\n" + huge + ": larger than 1 MiB\n";
  for (const char* command : {"show", "report", "lens", "trace", "baffles"}) {
    CliLimits limits;
    if (!kUnderAddressSanitizer) limits.addressSpace = 1LL << 30;  // far less than the file
    const CliResult result = RunCliUnder({command, huge}, limits);
    EXPECT_EQ(result.status, 1) << command;
    EXPECT_EQ(result.err, expected) << command;
  }
  // Save does not add its entries to it.
  EXPECT_EQ(RunCli({"save", huge}).err, "Error writing\n" + huge + ": larger than 1 MiB\n");
  struct stat st {};
  ASSERT_EQ(::stat(huge.c_str(), &st), 0);
  EXPECT_EQ(st.st_size, off_t{8} << 30);
}

// Under a memory limit the program either reads the design or ends with exit status 1
// and the reason; it never aborts. The limits run from the least with which it can
// show a small design upwards, so some of them leave no room for a copy of a design
// of almost 1 MiB.
TEST(CliFileSafety, UnderAMemoryLimitAReadEndsWithAReason) {
  if (kUnderAddressSanitizer) GTEST_SKIP() << "a memory limit cannot work under AddressSanitizer";
  TempDir folder;
  const std::string small = folder.File("small.spekulor");
  const std::string large = folder.File("large.spekulor");
  WriteFileBytes(small, DesignOfSize(200));
  WriteFileBytes(large, DesignOfSize((1 << 20) - 16));
  const std::string shown = RunCli({"show", small}).out;
  ASSERT_NE(shown.find("\nDiameter=203.127\n"), std::string::npos) << shown;

  auto showUnder = [](const std::string& path, long long bytes) {
    CliLimits limits;
    limits.addressSpace = bytes;
    return RunCliUnder({"show", path}, limits);
  };
  // The least limit, to 64 KiB, with which the small design is shown.
  constexpr long long kStep = 64 << 10;
  long long fails = kStep;
  long long works = 1LL << 30;
  ASSERT_EQ(showUnder(small, works).out, shown);
  while (works - fails > kStep) {
    const long long middle = (fails + works) / 2 / kStep * kStep;
    (showUnder(small, middle).out == shown ? works : fails) = middle;
  }

  int outOfMemory = 0;
  for (long long limit = works; limit <= works + (4 << 20); limit += kStep) {
    const CliResult result = showUnder(large, limit);
    if (result.status == 0) {
      EXPECT_EQ(result.out, shown) << limit;
      continue;
    }
    EXPECT_EQ(result.status, 1) << "limit " << limit << ": " << result.err;
    EXPECT_EQ(result.err, "Error reading\n" + large + ": Cannot allocate memory\n") << limit;
    ++outOfMemory;
  }
  EXPECT_GT(outOfMemory, 0) << "no limit left the read without memory";
  RecordProperty("limits without memory", outOfMemory);
}

TEST(CliFileSafety, SaveRefusesABinaryFile) {
  TempDir folder;
  const std::string binary = folder.File("program");
  const std::string bytes("\x7F" "ELF\x02\x01\x01\0\0\0[Optics]\r\n", 20);
  WriteFileBytes(binary, bytes);
  const CliResult result = RunCli({"save", binary, "--diameter", "300"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "Error writing\n" + binary + ": not a design file\n");
  EXPECT_EQ(ReadFileBytes(binary), bytes);
  EXPECT_EQ(folder.List(), std::vector<std::string>{"program"});
}

// show, and the commands that start from a design file, take it whole: each run
// prints the one design or the other, never a mix.
TEST(CliFileSafety, ADesignReplacedWhileItIsReadIsShownWhole) {
  TempDir folder;
  const std::string contents[2] = {
      "[Optics]\r\nUnit=1\r\nType=0\r\nDiameter=200\r\nField=0.5\r\nPrimary CC=-1\r\n",
      "[Optics]\r\nUnit=0\r\nType=2\r\nDiameter=10\r\nField=0.25\r\nPrimary CC=-0.5\r\n"};
  std::string shown[2];
  for (int i = 0; i < 2; ++i) {
    WriteFileBytes(folder.File("d.spekulor"), contents[i]);
    shown[i] = RunCli({"show", folder.File("d.spekulor")}).out;
  }
  ASSERT_NE(shown[0], shown[1]);
  const std::string path = folder.File("shared.spekulor");
  WriteFileBytes(path, contents[0]);
  AlternatingWriter writer(path, contents[0], contents[1]);
  ASSERT_TRUE(writer.Running());
  // Each run under the sanitizers takes a second: fewer of them there.
  const int runs = kUnderAddressSanitizer ? 20 : 100;
  int seen[2] = {0, 0};
  for (int run = 0; run < runs; ++run) {
    const CliResult result = RunCli({"show", path});
    ASSERT_EQ(result.status, 0) << result.err;
    if (result.out == shown[0]) {
      ++seen[0];
    } else if (result.out == shown[1]) {
      ++seen[1];
    } else {
      ADD_FAILURE() << "run " << run << " mixes the two designs:\n" << result.out;
    }
  }
  EXPECT_TRUE(writer.Stop());
  RecordProperty("first design", seen[0]);
  RecordProperty("second design", seen[1]);
}

}  // namespace
