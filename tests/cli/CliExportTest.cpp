// spekulor-cli export, run as a child process.
#include <gtest/gtest.h>

#include <string>

#include "tests/cli/CliRun.h"
#include "tests/common/Golden.h"
#include "tests/common/TestDesigns.h"
#include "tests/common/TestFiles.h"
#include "cli/TextOutput.h"
#include "support/TerminalText.h"

using namespace spekulor::calc;
using namespace spekulor::cli;
using namespace spekulor::support;

namespace {

TEST(CliExport, WritesBothFormats) {
  for (const char* format : {"zmx", "seq"}) {
    const std::string golden = Golden("files", std::string("startup.") + format);
    ASSERT_FALSE(golden.empty());
    const CliResult raw = RunCli({"export", "--format", format, "--raw"});
    EXPECT_EQ(raw.status, 0) << raw.err;
    EXPECT_EQ(raw.out, golden);
    EXPECT_EQ(raw.err, "");

    const CliResult terminal = RunCli({"export", "-f", format});
    EXPECT_EQ(terminal.status, 0);
    EXPECT_EQ(terminal.out, ToTerminalText(golden));

    TempDir folder;
    const std::string path = folder.File(std::string("scope.") + format);
    const CliResult file = RunCli({"export", "--format", format, "-o", path});
    EXPECT_EQ(file.status, 0);
    EXPECT_EQ(file.out, "");
    EXPECT_EQ(ReadFileBytes(path), golden);
    EXPECT_EQ(folder.List().size(), 1u);  // no temporary file left
  }
}

TEST(CliExport, InchDesignsAreWrittenInInches) {
  const CliResult zmx = RunCli({"export", "--format", "zmx", "--unit", "inch", "--raw"});
  EXPECT_EQ(zmx.status, 0) << zmx.err;
  EXPECT_NE(zmx.out.find("\r\nUNIT IN X W X CM MR CPMM\r\n"), std::string::npos) << zmx.out;
  const CliResult seq = RunCli({"export", "--format", "seq", "--unit", "inch", "--raw"});
  EXPECT_EQ(seq.status, 0) << seq.err;
  EXPECT_NE(seq.out.find("\r\nDIM   I\r\n"), std::string::npos) << seq.out;
}

TEST(CliExport, RefusalsAndFailuresGiveTheLensStatuses) {
  const CliResult missing = RunCli({"export", "--format", "seq", "--diameter="});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err.rfind("Error 1\n", 0), 0u) << missing.err;

  TempDir folder;
  EXPECT_EQ(RunCli({"export", "--format", "zmx", folder.File("missing.spekulor")}).status, 1);

  WriteFileBytes(folder.File("scope.zmx"), "previous\r\n");
  const CliResult full = RunCli({"export", "--format", "zmx", "-o", folder.File("scope.zmx")}, 200);
  EXPECT_EQ(full.status, 1);
  EXPECT_EQ(full.err, "Error writing\n" + folder.File("scope.zmx") + ": File too large\n");
  EXPECT_EQ(ReadFileBytes(folder.File("scope.zmx")), "previous\r\n");
  EXPECT_EQ(folder.List().size(), 1u);

  // A design no telescope can have is refused as by every command that calculates.
  const ImpossibleDesign& impossible = ImpossibleDesigns().front();
  std::vector<std::string> args = {"export", "--format", "zmx"};
  for (const std::string& arg : OptionsOf(impossible)) args.push_back(arg);
  const CliResult refused = RunCli(args);
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.err.rfind(std::string("Error 5\n") + impossible.messageStart, 0), 0u);

  // The format is required and must be one of the two.
  EXPECT_EQ(RunCli({"export"}).status, 64);
  const CliResult unknown = RunCli({"export", "--format", "oslo"});
  EXPECT_EQ(unknown.status, 64);
  EXPECT_EQ(unknown.out, "");
}

}  // namespace
