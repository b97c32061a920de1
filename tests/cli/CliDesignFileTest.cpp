// spekulor-cli lens, save, show and the DESIGN argument, run as a child process.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "tests/cli/CliRun.h"
#include "tests/common/Golden.h"
#include "tests/common/TestFiles.h"
#include "cli/TextOutput.h"
#include "support/TerminalText.h"

using namespace spekulor::cli;
using namespace spekulor::support;

namespace {

TEST(CliLens, WritesTheWindowsBytes) {
  const CliResult raw = RunCli({"lens", "--raw"});
  EXPECT_EQ(raw.status, 0);
  EXPECT_EQ(raw.out, Golden("files", "startup.len"));
  EXPECT_EQ(raw.err, "");

  const CliResult terminal = RunCli({"lens"});
  EXPECT_EQ(terminal.status, 0);
  EXPECT_EQ(terminal.out, ToTerminalText(Golden("files", "startup.len")));
  EXPECT_NE(terminal.out.find("LEN NEW \"400.0mm Ritchey-Chr\xC3\xA9tien\" 3200.0 5\n"),
            std::string::npos);

  TempDir folder;
  const CliResult file = RunCli({"lens", "-o", folder.File("scope.len")});
  EXPECT_EQ(file.status, 0);
  EXPECT_EQ(file.out, "");
  EXPECT_EQ(ReadFileBytes(folder.File("scope.len")), Golden("files", "startup.len"));
}

TEST(CliLens, RefusalsGiveStatusTwo) {
  const CliResult inch = RunCli({"lens", "--unit", "inch", "--diameter="});
  EXPECT_EQ(inch.status, 2);
  EXPECT_EQ(inch.out, "");
  EXPECT_EQ(inch.err, "Please use mm for OSLO Lens Files\n");

  const CliResult missing = RunCli({"lens", "--diameter="});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err.rfind("Error 1\n", 0), 0u) << missing.err;
}

TEST(CliLens, FailedWritesGiveStatusOneAndKeepTheOldFile) {
  TempDir folder;
  WriteFileBytes(folder.File("plain"), "x");
  const CliResult notAFolder = RunCli({"lens", "-o", folder.File("plain") + "/scope.len"});
  EXPECT_EQ(notAFolder.status, 1);
  EXPECT_EQ(notAFolder.err, "Error writing\n" + folder.File("plain") + "/scope.len: Not a directory\n");

  WriteFileBytes(folder.File("scope.len"), "previous lens\r\n");
  const CliResult full = RunCli({"lens", "-o", folder.File("scope.len")}, 200);
  EXPECT_EQ(full.status, 1);
  EXPECT_EQ(full.err, "Error writing\n" + folder.File("scope.len") + ": File too large\n");
  EXPECT_EQ(ReadFileBytes(folder.File("scope.len")), "previous lens\r\n");
  EXPECT_EQ(static_cast<int>(folder.List().size()), 2);  // plain and scope.len: no temporary file left

  // A device is written in place, never replaced.
  EXPECT_EQ(RunCli({"lens", "-o", "/dev/null"}).status, 0);
  struct stat st {};
  ASSERT_EQ(stat("/dev/null", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
}

TEST(CliSave, WritesTheDesignFileAsSaveAsDoes) {
  TempDir folder;
  const CliResult fresh = RunCli({"save", folder.File("new.spekulor")});
  EXPECT_EQ(fresh.status, 0);
  EXPECT_EQ(fresh.err, "");
  EXPECT_EQ(ReadFileBytes(folder.File("new.spekulor")), Golden("files", "startup.spekulor"));

  WriteFileBytes(folder.File("kept.spekulor"), Golden("files", "kept_before.spekulor"));
  EXPECT_EQ(RunCli({"save", folder.File("kept.spekulor")}).status, 0);
  EXPECT_EQ(ReadFileBytes(folder.File("kept.spekulor")), Golden("files", "kept_after.spekulor"));

  // From a design file, with options on top; the file's values come back as they are.
  WriteFileBytes(folder.File("from.spekulor"), "[Optics]\nDiameter=203.127\nType=0\n");
  EXPECT_EQ(RunCli({"save", folder.File("to.spekulor"), folder.File("from.spekulor"),
                    "--secondary-cc", "-1.23456", "--field="})
                .status,
            0);
  const std::string to = ReadFileBytes(folder.File("to.spekulor"));
  EXPECT_NE(to.find("\r\nDiameter=203.127000\r\n"), std::string::npos) << to;
  EXPECT_NE(to.find("\r\nType=0\r\n"), std::string::npos) << to;
  EXPECT_NE(to.find("\r\nField=NAN\r\n"), std::string::npos) << to;
  EXPECT_NE(to.find("\r\nSecondary CC=-1.234560\r\n"), std::string::npos) << to;
  EXPECT_NE(to.find("\r\nPrimary Focal Length=0.000000\r\n"), std::string::npos) << to;
}

TEST(CliSave, FailuresGiveStatusOne) {
  TempDir folder;
  WriteFileBytes(folder.File("plain"), "x");
  const CliResult notAFolder = RunCli({"save", folder.File("plain") + "/d.spekulor"});
  EXPECT_EQ(notAFolder.status, 1);
  EXPECT_EQ(notAFolder.err, "Error writing\n" + folder.File("plain") + "/d.spekulor: Not a directory\n");

  const std::string before = std::string(3000, '#') + "\r\n" + Golden("files", "startup.spekulor");
  WriteFileBytes(folder.File("big.spekulor"), before);
  const CliResult full =
      RunCli({"save", folder.File("big.spekulor"), "--diameter", "300"}, 1000);
  EXPECT_EQ(full.status, 1);
  EXPECT_EQ(full.err, "Error writing\n" + folder.File("big.spekulor") + ": File too large\n");
  EXPECT_EQ(ReadFileBytes(folder.File("big.spekulor")), before);

  const CliResult unreadable =
      RunCli({"save", folder.File("x.spekulor"), folder.File("missing.spekulor")});
  EXPECT_EQ(unreadable.status, 1);
  EXPECT_EQ(unreadable.err,
            "Error reading\n" + folder.File("missing.spekulor") + ": No such file or directory\n");
  EXPECT_EQ(RunCli({"save"}).status, 64);

  // A value the file could not give back is refused, and nothing is written.
  const CliResult seven = RunCli({"save", folder.File("x.spekulor"), "--field", "0.1234567"});
  EXPECT_EQ(seven.status, 2);
  EXPECT_EQ(seven.err, "A design file cannot hold the \"fully illuminated field\" as it is: "
                       "please give it with at most six decimals.\n");
  bool written = true;
  ReadFileBytes(folder.File("x.spekulor"), &written);
  EXPECT_FALSE(written);
}

TEST(CliShow, PrintsWhatFileOpenShows) {
  TempDir folder;
  WriteFileBytes(folder.File("startup.spekulor"), Golden("files", "startup.spekulor"));
  const CliResult shown = RunCli({"show", folder.File("startup.spekulor")});
  EXPECT_EQ(shown.status, 0);
  EXPECT_EQ(shown.out,
            "Unit=1\nType=2\nDiameter=400.00\nPrimary Focal Length=1000.00\nField=0.75\n"
            "System Focal Length=3200.00\nBack Focal Length=254.00\n"
            "Secondary From System Focus=\nSecondary From Prime Focus=\nSecondary ROC=\n"
            "Primary CC=\nSecondary CC=\n");

  WriteFileBytes(folder.File("hand.spekulor"), "[optics]\n  diameter = 8\nType=7\n");
  const CliResult hand = RunCli({"show", folder.File("hand.spekulor")});
  EXPECT_NE(hand.out.find("\nDiameter=8.00\n"), std::string::npos) << hand.out;
  EXPECT_NE(hand.out.find("\nType=7\n"), std::string::npos) << hand.out;
  EXPECT_NE(hand.out.find("\nSecondary CC=0.0000\n"), std::string::npos) << hand.out;

  const CliResult missing = RunCli({"show", folder.File("missing.spekulor")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err,
            "Error reading\n" + folder.File("missing.spekulor") + ": No such file or directory\n");
  EXPECT_EQ(RunCli({"show"}).status, 64);
}

TEST(CliDesignArgument, ReportAndLensStartFromTheOpenedValues) {
  TempDir folder;
  WriteFileBytes(folder.File("d.spekulor"), "[Optics]\r\nUnit=1\r\nType=0\r\nDiameter=203.127\r\n"
                                       "Primary Focal Length=1000\r\nField=0.5\r\n"
                                       "System Focal Length=3200\r\nBack Focal Length=254\r\n");
  const CliResult fromFile = RunCli({"report", "--raw", folder.File("d.spekulor")});
  const CliResult fromOptions = RunCli({"report", "--raw", "--type", "classical", "--diameter",
                                        "203.127", "--field", "0.50", "--primary-focal-length",
                                        "1000.00", "--system-focal-length", "3200.00",
                                        "--back-focal-length", "254.00",
                                        "--secondary-from-system-focus", "0.00",
                                        "--secondary-from-prime-focus", "0.00",
                                        "--secondary-roc", "0.0000", "--primary-cc", "0.0000",
                                        "--secondary-cc", "0.0000"});
  EXPECT_EQ(fromFile.status, 0) << fromFile.err;
  EXPECT_EQ(fromFile.out, fromOptions.out);

  const CliResult lens =
      RunCli({"lens", "--raw", folder.File("d.spekulor"), "--diameter", "250"});
  EXPECT_EQ(lens.status, 0) << lens.err;
  EXPECT_NE(lens.out.find("\r\nLEN NEW \"250.0mm Classical cassegrain\" 3200.0 5\r\n"),
            std::string::npos) << lens.out;

  const CliResult missing = RunCli({"report", folder.File("missing.spekulor")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err,
            "Error reading\n" + folder.File("missing.spekulor") + ": No such file or directory\n");
  EXPECT_EQ(RunCli({"lens", folder.File("missing.spekulor")}).status, 1);
}

}  // namespace
