// The analyses at their limits: an image too large to hold, light lost on the way,
// memory that runs out (a real address-space limit on the child), numbers typed in
// forms the window does not read, and the baffle options' ranges. Every run ends with
// an exit status and a reason, never a signal.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/cli/CliRun.h"
#include "tests/common/TestFiles.h"

namespace {

// Runs the program with its address space limited to `kilobytes` (0 for no limit).
CliResult RunLimited(const std::vector<std::string>& args, long kilobytes) {
  CliLimits limits;
  if (kilobytes > 0) limits.addressSpace = static_cast<long long>(kilobytes) * 1024;
  return RunCliUnder(args, limits);
}

bool Signalled(const CliResult& run) { return run.status > kEndedBySignal; }

// The least limit, in steps of 64 KiB from `low` (where it fails) to `high` (where it
// succeeds), at which the run exits with 0.
long LeastLimit(const std::vector<std::string>& args, long low, long high) {
  while (high - low > 64) {
    const long mid = (low + high) / 2;
    if (RunLimited(args, mid).status == 0) high = mid;
    else low = mid;
  }
  return high;
}

constexpr long kPlenty = 4L << 20;  // 4 GiB, in KiB

// A secondary of a micrometre's radius makes a telescope of f/1.5e9: its point image
// and spot would need more than any grid holds. The analyses end with a reason (the
// tolerances, whose refusals are their own, at least end).
TEST(CliLimits, AnImageTooLargeEndsWithAReasonNotASignal) {
  const std::vector<std::string> design = {"--secondary-roc", "1e-6",
                                           "--secondary-from-system-focus", "300"};
  for (const char* command : {"quality", "trace", "baffles", "tolerances"}) {
    std::vector<std::string> args{command};
    args.insert(args.end(), design.begin(), design.end());
    const CliResult run = RunLimited(args, 0);
    EXPECT_FALSE(Signalled(run)) << command;
    if (std::string(command) == "tolerances") {
      EXPECT_TRUE(run.status == 0 || run.status == 3) << run.status;
      continue;
    }
    EXPECT_EQ(run.status, 3) << command << ": " << run.err;
    EXPECT_FALSE(run.err.empty()) << command;
  }
}

// Light lost on the way ends the trace at once: within a limit far below what a grid
// grown by the shortfall's ratio took (600 MB, or more than the machine has).
TEST(CliLimits, LostLightEndsTheTraceWithinABoundedMemory) {
  if (kUnderAddressSanitizer) GTEST_SKIP() << "memory limits cannot be set under AddressSanitizer";
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"trace", "--rays", "1000000", "--despace", "-1e6"},
        std::vector<std::string>{"trace", "--rays", "100000", "--despace", "690"}}) {
    const CliResult run = RunLimited(args, 256L << 10);
    EXPECT_FALSE(Signalled(run)) << args[4];
    EXPECT_EQ(run.status, 3) << args[4];
    EXPECT_EQ(run.err.rfind("Cannot trace this design: only ", 0), 0u) << run.err;
  }
}

// Between the limit at which the program starts and reports a design and the limit the
// analysis needs, memory runs out inside the analysis: every such run ends with status
// 3 and the reason, never a signal (nor FFTW's abort). The baffle plan needs no more
// than the report, within the search's 64 KiB, and has no such range.
TEST(CliLimits, MemoryRunningOutInAnAnalysisEndsWithAReason) {
  if (kUnderAddressSanitizer) GTEST_SKIP() << "memory limits cannot be set under AddressSanitizer";
  TempDir dir;
  const std::string images = dir.File("images.svg");
  const std::string ronchigrams = dir.File("ronchi.svg");
  const long start = LeastLimit({"report"}, 1024, kPlenty);
  const std::vector<std::vector<std::string>> commands = {
      {"quality", "--grid", "256"},
      {"trace", "--rays", "300000"},
      {"primary-test", "--ronchi", ronchigrams},
      {"tolerances", "--images", images},
  };
  for (const std::vector<std::string>& args : commands) {
    const long needed = LeastLimit(args, start, kPlenty);
    ASSERT_GT(needed, start) << args[0];
    int inside = 0;
    for (int k = 0; k < 8; ++k) {
      const long limit = start + (needed - start) * k / 8;
      const CliResult run = RunLimited(args, limit);
      EXPECT_FALSE(Signalled(run)) << args[0] << " at " << limit << " KiB";
      if (run.status == 0) continue;
      EXPECT_EQ(run.status, 3) << args[0] << " at " << limit << " KiB: " << run.err;
      EXPECT_EQ(run.err, "spekulor-cli: not enough memory to finish the command\n") << args[0];
      ++inside;
    }
    EXPECT_GT(inside, 0) << args[0];
  }
}

// A design file larger than the memory left cannot be read: status 1, "Error reading".
TEST(CliLimits, ADesignFileTooLargeForTheMemoryLeftCannotBeRead) {
  if (kUnderAddressSanitizer) GTEST_SKIP() << "memory limits cannot be set under AddressSanitizer";
  TempDir dir;
  const std::string path = dir.File("large.spekulor");
  {
    std::string content = "# generated by Spekulor\n[Optics]\n";
    content += std::string(64 << 20, '#');
    WriteFileBytes(path, content);
  }
  const long start = LeastLimit({"report"}, 1024, kPlenty);
  const CliResult run = RunLimited({"quality", path}, start + (16L << 10));
  EXPECT_FALSE(Signalled(run));
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(run.err.rfind("Error reading\n" + path + ": ", 0), 0u) << run.err;
}

// Every numeric option reads decimal numbers only, as the window's fields do: not
// hexadecimal (which the window reads as 0), octal-looking zeros, nan, inf or nothing.
// One test an option, so that the runs spread over the test command's jobs.
class NumericOption : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(NumericOption, ReadsDecimalNumbersOnly) {
  const std::vector<std::string>& option = GetParam();
  for (const char* text : {"0x10", "0x1p4", "nan", "NAN", "inf", "-inf", "", " 16", "16 ",
                           "1e400", "16mm", "1,5"}) {
    const CliResult result = RunCli({option[0], option[1], text});
    EXPECT_EQ(result.status, 64) << option[1] << " '" << text << "'";
    EXPECT_NE(result.err.find(option[1]), std::string::npos) << result.err;
  }
}

INSTANTIATE_TEST_SUITE_P(
    CliNumbers, NumericOption,
    ::testing::Values(std::vector<std::string>{"trace", "--rays"},
                      std::vector<std::string>{"trace", "--despace"},
                      std::vector<std::string>{"trace", "--decenter"},
                      std::vector<std::string>{"trace", "--tilt"},
                      std::vector<std::string>{"trace", "--pivot"},
                      std::vector<std::string>{"quality", "--wavelength"},
                      std::vector<std::string>{"quality", "--grid"},
                      std::vector<std::string>{"baffles", "--thickness"},
                      std::vector<std::string>{"baffles", "--focus-clearance"},
                      std::vector<std::string>{"tolerances", "--budget-waves"}),
    [](const ::testing::TestParamInfo<std::vector<std::string>>& option) {
      std::string name = option.param[0] + "_" + option.param[1].substr(2);
      for (char& c : name) {
        if (c == '-') c = '_';
      }
      return name;
    });

// The radio indexes read whole decimal numbers, and the decimal forms of one number give
// one answer; a leading zero is no octal.
TEST(CliNumbers, DecimalFormsOfOneNumberGiveOneAnswer) {
  for (const char* text : {"0x1", " 1", "1.0", ""}) {
    EXPECT_EQ(RunCli({"report", "--unit", text}).status, 64) << "'" << text << "'";
    EXPECT_EQ(RunCli({"report", "--type", text}).status, 64) << "'" << text << "'";
  }
  EXPECT_EQ(RunCli({"report", "--type", "2"}).out, RunCli({"report", "--type", "+02"}).out);
  EXPECT_EQ(RunCli({"trace", "--despace", "16"}).out,
            RunCli({"trace", "--despace", "1.6e1"}).out);
  EXPECT_EQ(RunCli({"trace", "--despace", "16"}).out,
            RunCli({"trace", "--despace", "+016.0"}).out);
  EXPECT_EQ(RunCli({"trace", "--rays", "10", "--csv"}).out,
            RunCli({"trace", "--rays", "010", "--csv"}).out);
  EXPECT_EQ(RunCli({"quality", "--grid", "32", "--json"}).out,
            RunCli({"quality", "--grid", "0032", "--json"}).out);
  EXPECT_EQ(RunCli({"quality", "--grid", "32", "--wavelength", "650", "--json"}).out,
            RunCli({"quality", "--grid", "32", "--wavelength", "6.5e2", "--json"}).out);
}

// The baffle options' ranges depend on the design: the thickness from 0 to the primary's
// diameter (400 mm at start-up), the focus clearance from minus the thickness to the
// system focal length (3200 mm). Both ends are accepted, beyond them a usage error.
TEST(CliNumbers, BaffleOptionsStayInTheDesignsRanges) {
  EXPECT_EQ(RunCli({"baffles", "--thickness", "400"}).status, 0);
  EXPECT_EQ(RunCli({"baffles", "--thickness", "0", "--focus-clearance", "0"}).status, 0);
  EXPECT_EQ(RunCli({"baffles", "--thickness", "50", "--focus-clearance", "-50"}).status, 0);
  EXPECT_EQ(RunCli({"baffles", "--focus-clearance", "3200"}).status, 0);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--thickness", "400.001"},
        std::vector<std::string>{"--thickness", "1e155"},
        std::vector<std::string>{"--focus-clearance", "3200.001"},
        std::vector<std::string>{"--focus-clearance", "1e30"},
        std::vector<std::string>{"--thickness", "50", "--focus-clearance", "-50.001"}}) {
    std::vector<std::string> command{"baffles"};
    command.insert(command.end(), args.begin(), args.end());
    const CliResult result = RunCli(command);
    EXPECT_EQ(result.status, 64) << args[1];
    EXPECT_NE(result.err.find("for this design"), std::string::npos) << result.err;
    EXPECT_TRUE(result.out.empty());
  }
}

}  // namespace
