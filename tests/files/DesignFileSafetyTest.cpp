// Design files against a hostile world: files far too large, a memory limit, another
// process replacing the file while it is read, binary files under Save as, and the
// reason every failure gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "files/DesignFile.h"
#include "files/FileMessages.h"
#include "tests/common/Golden.h"
#include "tests/common/TestDesigns.h"
#include "tests/common/TestFiles.h"

using namespace spekulor::calc;
using namespace spekulor::files;

namespace {

// A sparse file of `size` bytes: no disk is used, but it is that large to stat and read.
void MakeSparseFile(const std::string& path, off_t size) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, size), 0);
  ::close(fd);
}

off_t SizeOf(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_size : -1;
}

TEST(DesignFileSafety, AFileOverOneMebibyteIsRefusedUnread) {
  TempDir folder;
  const std::string huge = folder.File("huge.spekulor");
  MakeSparseFile(huge, off_t{8} << 30);
  DesignFields fields;
  fields.m_strPriDia = "typed";
  FileProblem problem;
  EXPECT_EQ(LoadDesignFile(huge, fields, &problem), DesignFileStatus::TooLarge);
  EXPECT_EQ(problem.kind, FileProblemKind::TooLarge);
  EXPECT_EQ(DescribeFileProblem(problem), "larger than 1 MiB");
  EXPECT_EQ(fields.m_strPriDia, "typed");

  // Exactly the limit is read; one byte more is not.
  const std::string limit = folder.File("limit.spekulor");
  WriteFileBytes(limit, DesignOfSize(static_cast<size_t>(kMaxDesignFileBytes)));
  EXPECT_EQ(LoadDesignFile(limit, fields), DesignFileStatus::Ok);
  EXPECT_EQ(fields.m_strPriDia, "203.127");
  WriteFileBytes(limit, DesignOfSize(static_cast<size_t>(kMaxDesignFileBytes) + 1));
  fields.m_strPriDia = "typed";
  EXPECT_EQ(LoadDesignFile(limit, fields), DesignFileStatus::TooLarge);
  EXPECT_EQ(fields.m_strPriDia, "typed");

  // Save as does not add its entries to such a file.
  EXPECT_EQ(SaveDesignFile(huge, DesignFields(), nullptr, &problem), DesignFileStatus::TooLarge);
  EXPECT_EQ(problem.kind, FileProblemKind::TooLarge);
  EXPECT_EQ(SizeOf(huge), off_t{8} << 30);
  EXPECT_EQ(folder.List(), (std::vector<std::string>{"huge.spekulor", "limit.spekulor"}));
}

// Runs `body` in a child whose address space may grow by `headroom` bytes at most.
int RunWithMemoryHeadroom(long long headroom, const std::function<int()>& body) {
  const ChildResult child = RunInChild([&] {
    const long long inUse = AddressSpaceInUse();
    if (inUse <= 0) return 98;
    const rlim_t limit = static_cast<rlim_t>(inUse + headroom);
    const struct rlimit memory = {limit, limit};
    if (::setrlimit(RLIMIT_AS, &memory) != 0) return 99;
    return body();
  });
  return child.exitStatus;
}

TEST(DesignFileSafety, UnderAMemoryLimitTheReadEndsWithAReason) {
  if (kUnderAddressSanitizer) GTEST_SKIP() << "a memory limit cannot work under AddressSanitizer";
  TempDir folder;
  const std::string huge = folder.File("huge.spekulor");
  MakeSparseFile(huge, off_t{8} << 30);
  const std::string large = folder.File("large.spekulor");
  WriteFileBytes(large, DesignOfSize(static_cast<size_t>(kMaxDesignFileBytes) - 10));

  // Too large is told without a byte read, whatever the limit.
  EXPECT_EQ(RunWithMemoryHeadroom(64 << 10, [&] {
              DesignFields fields;
              FileProblem problem;
              const DesignFileStatus status = LoadDesignFile(huge, fields, &problem);
              return status == DesignFileStatus::TooLarge ? 0 : 1;
            }),
            0);
  // A file within the limit whose copy does not fit in memory: no memory is the reason.
  EXPECT_EQ(RunWithMemoryHeadroom(256 << 10, [&] {
              DesignFields fields;
              FileProblem problem;
              const DesignFileStatus status = LoadDesignFile(large, fields, &problem);
              if (status != DesignFileStatus::CannotRead) return 1;
              return problem.kind == FileProblemKind::System && problem.error == ENOMEM ? 0 : 2;
            }),
            0);
  // With room enough the same child reads it.
  EXPECT_EQ(RunWithMemoryHeadroom(64 << 20, [&] {
              DesignFields fields;
              return LoadDesignFile(large, fields) == DesignFileStatus::Ok ? 0 : 1;
            }),
            0);
}

// Two designs that differ in every entry, so that any mix of them shows.
DesignFields DesignA() {
  return TypedFields(kMillimetreUnits, kClassical,
                     {"200", "800", "0.5", "2000", "150", "1", "2", "3", "-1", "-2"});
}

DesignFields DesignB() {
  return TypedFields(kInchUnits, kRitcheyChretien,
                     {"10", "40", "0.25", "100", "5", "11", "12", "13", "-0.5", "-3"});
}

// The file Save as writes for these fields, and what Open shows of it.
void SavedDesign(const DesignFields& fields, std::string& bytes, std::string& shown) {
  TempDir own;
  const std::string path = own.File("d.spekulor");
  ASSERT_EQ(SaveDesignFile(path, fields), DesignFileStatus::Ok);
  bytes = ReadFileBytes(path);
  DesignFields opened;
  ASSERT_EQ(LoadDesignFile(path, opened), DesignFileStatus::Ok);
  shown = FormatDesignEntries(opened);
}

TEST(DesignFileSafety, AFileReplacedWhileItIsReadGivesOneDesignWhole) {
  TempDir folder;
  const std::string path = folder.File("shared.spekulor");
  std::string contents[2];
  std::string shownA;
  std::string shownB;
  SavedDesign(DesignA(), contents[0], shownA);
  SavedDesign(DesignB(), contents[1], shownB);
  ASSERT_NE(shownA, shownB);

  AlternatingWriter writer(path, contents[0], contents[1]);
  ASSERT_TRUE(writer.Running());
  // At least 300 reads, and on until each design has been read often: the reads
  // then overlap the replacements many times.
  int seenA = 0;
  int seenB = 0;
  int read = 0;
  for (; read < 300 || (std::min(seenA, seenB) < 100 && read < 200000); ++read) {
    DesignFields opened;
    ASSERT_EQ(LoadDesignFile(path, opened), DesignFileStatus::Ok);
    const std::string shown = FormatDesignEntries(opened);
    if (shown == shownA) {
      ++seenA;
    } else if (shown == shownB) {
      ++seenB;
    } else {
      ADD_FAILURE() << "read " << read << " mixes the two designs:\n" << shown;
    }
  }
  EXPECT_TRUE(writer.Stop());
  EXPECT_GE(std::min(seenA, seenB), 100) << "the writer did not replace the file";
  std::printf("%d reads: %d of A, %d of B\n", read, seenA, seenB);
}

TEST(DesignFileSafety, SaveAsRefusesABinaryFileAndLeavesIt) {
  TempDir folder;
  const std::string path = folder.File("program");
  const std::string binary("\x7F" "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0[Optics]\r\n", 26);
  WriteFileBytes(path, binary);
  FileProblem problem;
  EXPECT_EQ(SaveDesignFile(path, DesignFields(), nullptr, &problem),
            DesignFileStatus::NotADesignFile);
  EXPECT_EQ(problem.kind, FileProblemKind::NotADesignFile);
  EXPECT_EQ(ReadFileBytes(path), binary);
  EXPECT_EQ(folder.List(), std::vector<std::string>{"program"});

  // A text file that is no design file still takes the entries at its end.
  WriteFileBytes(path, "shopping list\r\n");
  EXPECT_EQ(SaveDesignFile(path, DesignFields()), DesignFileStatus::Ok);
  EXPECT_EQ(ReadFileBytes(path).rfind("shopping list\r\n[Optics]\r\n", 0), 0u);
}

TEST(DesignFileSafety, EveryFailureHasItsReason) {
  TempDir folder;
  DesignFields fields;
  FileProblem problem;
  EXPECT_EQ(LoadDesignFile(folder.File("missing.spekulor"), fields, &problem),
            DesignFileStatus::CannotRead);
  EXPECT_EQ(FileProblemDetail(folder.File("missing.spekulor"), problem),
            folder.File("missing.spekulor") + ": No such file or directory");
  EXPECT_EQ(LoadDesignFile(folder.Path(), fields, &problem), DesignFileStatus::CannotRead);
  EXPECT_EQ(DescribeFileProblem(problem), "Is a directory");
  const std::string fifo = folder.File("pipe.spekulor");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(LoadDesignFile(fifo, fields, &problem), DesignFileStatus::CannotRead);
  EXPECT_EQ(DescribeFileProblem(problem), "not a regular file");
  WriteFileBytes(folder.File("notes.txt"), "notes\n");
  EXPECT_EQ(LoadDesignFile(folder.File("notes.txt"), fields, &problem),
            DesignFileStatus::NotADesignFile);
  EXPECT_EQ(DescribeFileProblem(problem), "not a design file");
  EXPECT_EQ(LoadDesignFile("", fields, &problem), DesignFileStatus::CannotRead);
  EXPECT_EQ(FileProblemDetail("", problem), "\"\": No such file or directory");

  WriteFileBytes(folder.File("plain"), "x");
  EXPECT_EQ(SaveDesignFile(folder.File("plain") + "/d.spekulor", fields, nullptr, &problem),
            DesignFileStatus::WriteFailed);
  EXPECT_EQ(DescribeFileProblem(problem), "Not a directory");
}

TEST(DesignFileSafety, AnOrdinaryUserCannotSaveOverAReadOnlyDesign) {
  TempDir folder;
  OpenFolderToEveryone(folder.Path());
  const std::string path = folder.File("locked.spekulor");
  const int status = RunAsOrdinaryUser([&] {
    if (SaveDesignFile(path, DesignA()) != DesignFileStatus::Ok) return 90;
    if (::chmod(path.c_str(), 0444) != 0) return 91;
    FileProblem problem;
    if (SaveDesignFile(path, DesignB(), nullptr, &problem) != DesignFileStatus::WriteFailed) return 10;
    return problem.kind == FileProblemKind::System && problem.error == EACCES ? 0 : 11;
  });
  if (status == kNoOrdinaryUser) GTEST_SKIP() << "cannot run as a user other than root";
  EXPECT_EQ(status, 0);
  DesignFields opened;
  ASSERT_EQ(LoadDesignFile(path, opened), DesignFileStatus::Ok);
  EXPECT_EQ(opened.m_strPriDia, "200.00");
  EXPECT_EQ(folder.List(), std::vector<std::string>{"locked.spekulor"});
}

}  // namespace
