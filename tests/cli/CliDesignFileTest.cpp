// spekulor-cli lens, save, show and the DESIGN argument, run as a child process.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "CliRun.h"
#include "TextOutput.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Golden(const std::string& name) {
  return ReadAll(std::string(SPEKULOR_FILES_GOLDEN_DIR) + "/" + name);
}

class Folder {
 public:
  Folder() {
    char pattern[] = "/tmp/spekulor-cli-files-XXXXXX";
    m_path = mkdtemp(pattern);
  }
  ~Folder() { std::system(("rm -rf '" + m_path + "'").c_str()); }
  std::string File(const std::string& name) const { return m_path + "/" + name; }
  // Entries in the folder, hidden ones included.
  int Count() const {
    const std::string listing = "ls -A '" + m_path + "' | wc -l";
    std::FILE* pipe = popen(listing.c_str(), "r");
    if (pipe == nullptr) return -1;
    int n = -1;
    if (std::fscanf(pipe, "%d", &n) != 1) n = -1;
    pclose(pipe);
    return n;
  }

 private:
  std::string m_path;
};

// Runs the program with a file-size limit; SIGXFSZ keeps its default action, so the
// program itself must keep a write beyond the limit from ending it.
CliResult RunCliLimited(long limitBytes, const std::vector<std::string>& args) {
  CliResult result;
  char errPath[] = "/tmp/spekulor-cli-limited-XXXXXX";
  const int errFd = mkstemp(errPath);
  if (errFd < 0) return result;
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(errFd, STDERR_FILENO);
    const rlimit limit{static_cast<rlim_t>(limitBytes), static_cast<rlim_t>(limitBytes)};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::vector<std::string> copies(args);
    std::string program = SPEKULOR_CLI_PATH;
    std::vector<char*> argv{&program[0]};
    for (std::string& arg : copies) argv.push_back(&arg[0]);
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  int wstatus = 0;
  waitpid(pid, &wstatus, 0);
  close(errFd);
  if (WIFEXITED(wstatus)) result.status = WEXITSTATUS(wstatus);
  result.err = ReadAll(errPath);
  unlink(errPath);
  return result;
}

TEST(CliLens, WritesTheWindowsBytes) {
  const CliResult raw = RunCli({"lens", "--raw"});
  EXPECT_EQ(raw.status, 0);
  EXPECT_EQ(raw.out, Golden("startup.len"));
  EXPECT_EQ(raw.err, "");

  const CliResult terminal = RunCli({"lens"});
  EXPECT_EQ(terminal.status, 0);
  EXPECT_EQ(terminal.out, ToTerminalText(Golden("startup.len")));
  EXPECT_NE(terminal.out.find("LEN NEW \"400.0mm Ritchey-Chr\xC3\xA9tien\" 3200.0 5\n"),
            std::string::npos);

  Folder folder;
  const CliResult file = RunCli({"lens", "-o", folder.File("scope.len")});
  EXPECT_EQ(file.status, 0);
  EXPECT_EQ(file.out, "");
  EXPECT_EQ(ReadAll(folder.File("scope.len")), Golden("startup.len"));
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
  Folder folder;
  WriteAll(folder.File("plain"), "x");
  const CliResult notAFolder = RunCli({"lens", "-o", folder.File("plain") + "/scope.len"});
  EXPECT_EQ(notAFolder.status, 1);
  EXPECT_EQ(notAFolder.err, "Error writing\n");

  WriteAll(folder.File("scope.len"), "previous lens\r\n");
  const CliResult full = RunCliLimited(200, {"lens", "-o", folder.File("scope.len")});
  EXPECT_EQ(full.status, 1);
  EXPECT_EQ(full.err, "Error writing\n");
  EXPECT_EQ(ReadAll(folder.File("scope.len")), "previous lens\r\n");
  EXPECT_EQ(folder.Count(), 2);  // plain and scope.len: no temporary file left

  // A device is written in place, never replaced.
  EXPECT_EQ(RunCli({"lens", "-o", "/dev/null"}).status, 0);
  struct stat st {};
  ASSERT_EQ(stat("/dev/null", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
}

TEST(CliSave, WritesTheDesignFileAsSaveAsDoes) {
  Folder folder;
  const CliResult fresh = RunCli({"save", folder.File("new.spekulor")});
  EXPECT_EQ(fresh.status, 0);
  EXPECT_EQ(fresh.err, "");
  EXPECT_EQ(ReadAll(folder.File("new.spekulor")), Golden("startup.spekulor"));

  WriteAll(folder.File("kept.spekulor"), Golden("kept_before.spekulor"));
  EXPECT_EQ(RunCli({"save", folder.File("kept.spekulor")}).status, 0);
  EXPECT_EQ(ReadAll(folder.File("kept.spekulor")), Golden("kept_after.spekulor"));

  // From a design file, with options on top; the file's values come rounded.
  WriteAll(folder.File("from.spekulor"), "[Optics]\nDiameter=203.127\nType=0\n");
  EXPECT_EQ(RunCli({"save", folder.File("to.spekulor"), folder.File("from.spekulor"),
                    "--secondary-cc", "-1.23456", "--field="})
                .status,
            0);
  const std::string to = ReadAll(folder.File("to.spekulor"));
  EXPECT_NE(to.find("\r\nDiameter=203.130000\r\n"), std::string::npos) << to;
  EXPECT_NE(to.find("\r\nType=0\r\n"), std::string::npos) << to;
  EXPECT_NE(to.find("\r\nField=NAN\r\n"), std::string::npos) << to;
  EXPECT_NE(to.find("\r\nSecondary CC=-1.234560\r\n"), std::string::npos) << to;
  EXPECT_NE(to.find("\r\nPrimary Focal Length=0.000000\r\n"), std::string::npos) << to;
}

TEST(CliSave, FailuresGiveStatusOne) {
  Folder folder;
  WriteAll(folder.File("plain"), "x");
  const CliResult notAFolder = RunCli({"save", folder.File("plain") + "/d.spekulor"});
  EXPECT_EQ(notAFolder.status, 1);
  EXPECT_EQ(notAFolder.err, "Error writing\n");

  const std::string before = std::string(3000, '#') + "\r\n" + Golden("startup.spekulor");
  WriteAll(folder.File("big.spekulor"), before);
  const CliResult full =
      RunCliLimited(1000, {"save", folder.File("big.spekulor"), "--diameter", "300"});
  EXPECT_EQ(full.status, 1);
  EXPECT_EQ(full.err, "Error writing\n");
  EXPECT_EQ(ReadAll(folder.File("big.spekulor")), before);

  const CliResult unreadable =
      RunCli({"save", folder.File("x.spekulor"), folder.File("missing.spekulor")});
  EXPECT_EQ(unreadable.status, 1);
  EXPECT_EQ(unreadable.err, "Error reading\n");
  EXPECT_EQ(RunCli({"save"}).status, 64);
}

TEST(CliShow, PrintsWhatFileOpenShows) {
  Folder folder;
  WriteAll(folder.File("startup.spekulor"), Golden("startup.spekulor"));
  const CliResult shown = RunCli({"show", folder.File("startup.spekulor")});
  EXPECT_EQ(shown.status, 0);
  EXPECT_EQ(shown.out,
            "Unit=1\nType=2\nDiameter=400.00\nPrimary Focal Length=1000.00\nField=0.75\n"
            "System Focal Length=3200.00\nBack Focal Length=254.00\n"
            "Secondary From System Focus=\nSecondary From Prime Focus=\nSecondary ROC=\n"
            "Primary CC=\nSecondary CC=\n");

  WriteAll(folder.File("hand.spekulor"), "[optics]\n  diameter = 8\nType=7\n");
  const CliResult hand = RunCli({"show", folder.File("hand.spekulor")});
  EXPECT_NE(hand.out.find("\nDiameter=8.00\n"), std::string::npos) << hand.out;
  EXPECT_NE(hand.out.find("\nType=7\n"), std::string::npos) << hand.out;
  EXPECT_NE(hand.out.find("\nSecondary CC=0.0000\n"), std::string::npos) << hand.out;

  const CliResult missing = RunCli({"show", folder.File("missing.spekulor")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err, "Error reading\n");
  EXPECT_EQ(RunCli({"show"}).status, 64);
}

TEST(CliDesignArgument, ReportAndLensStartFromTheOpenedValues) {
  Folder folder;
  WriteAll(folder.File("d.spekulor"), "[Optics]\r\nUnit=1\r\nType=0\r\nDiameter=203.127\r\n"
                                       "Primary Focal Length=1000\r\nField=0.5\r\n"
                                       "System Focal Length=3200\r\nBack Focal Length=254\r\n");
  const CliResult fromFile = RunCli({"report", "--raw", folder.File("d.spekulor")});
  const CliResult fromOptions = RunCli({"report", "--raw", "--type", "classical", "--diameter",
                                        "203.13", "--field", "0.50", "--primary-focal-length",
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
  EXPECT_EQ(missing.err, "Error reading\n");
  EXPECT_EQ(RunCli({"lens", folder.File("missing.spekulor")}).status, 1);
}

}  // namespace
