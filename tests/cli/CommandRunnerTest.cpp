// The runner every command goes through: pictures drawn only when asked for, the one
// failure printer, files written before the text and nothing after a file that failed,
// and a command table entry that hands the parsed options to its run.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/CommandEntry.h"
#include "cli/CommandOutput.h"
#include "cli/PictureOutput.h"
#include "tests/common/TestFiles.h"

using namespace spekulor::drawing;
using namespace spekulor::cli;

namespace {

// A stream backed by a real temporary file, read back whole.
class CapturedStream {
 public:
  CapturedStream() : m_file(std::tmpfile()) {}
  ~CapturedStream() { std::fclose(m_file); }
  CapturedStream(const CapturedStream&) = delete;
  CapturedStream& operator=(const CapturedStream&) = delete;
  std::FILE* get() const { return m_file; }
  std::string Text() const {
    std::fflush(m_file);
    std::rewind(m_file);
    std::string text;
    for (int c = std::fgetc(m_file); c != EOF; c = std::fgetc(m_file)) text += static_cast<char>(c);
    return text;
  }

 private:
  std::FILE* m_file;
};

TEST(CommandRunner, APictureIsDrawnOnlyWhenAFileIsAskedFor) {
  int drawn = 0;
  auto draw = [&drawn] {
    ++drawn;
    Drawing drawing;
    drawing.title = "section";
    return drawing;
  };
  CommandOutput output;
  AddPicture(output, "", draw);
  EXPECT_EQ(drawn, 0);
  EXPECT_TRUE(output.files.empty());
  AddPicture(output, "/tmp/section.svg", draw);
  EXPECT_EQ(drawn, 1);
  ASSERT_EQ(output.files.size(), 1u);
  EXPECT_EQ(output.files[0].path, "/tmp/section.svg");
  EXPECT_EQ(output.files[0].bytes.rfind("<?xml", 0), 0u);
}

TEST(CommandRunner, OnlyTheFiguresAskedForAreFormatted) {
  int tables = 0;
  const CommandOutput json = PrintFigures(
      true, [] { return std::string("{}\n"); }, [&tables] { return ++tables, std::string(); });
  EXPECT_EQ(json.text, "{}\n");
  EXPECT_EQ(tables, 0);
  // The table is Windows-1252, printed as UTF-8.
  const CommandOutput table = PrintFigures(
      false, [] { return std::string("{}\n"); }, [] { return std::string("5\xB0\n"); });
  EXPECT_EQ(table.text, "5\xC2\xB0\n");
}

TEST(CommandRunner, AFailureIsItsMessageAloneAndItsStatus) {
  TempDir dir;
  CommandOutput output = CannotAnalyse("Cannot trace this design: 5\xB0\r\nmore");
  output.files.push_back({dir.File("never.svg"), "x"});
  output.text = "never";
  CapturedStream out, err;
  EXPECT_EQ(DeliverOutput(output, out.get(), err.get()), kExitCannotAnalyse);
  EXPECT_EQ(err.Text(), "Cannot trace this design: 5\xC2\xB0\nmore\n");
  EXPECT_EQ(out.Text(), "");
  EXPECT_FALSE(PathExists(dir.File("never.svg")));

  CapturedStream usageErr;
  EXPECT_EQ(DeliverOutput(UsageError("--x: 'y' is wrong"), out.get(), usageErr.get()), kExitUsage);
  EXPECT_EQ(usageErr.Text(),
            "spekulor-cli: --x: 'y' is wrong\nRun with --help for more information.\n");
  CapturedStream refusedErr;
  EXPECT_EQ(DeliverOutput(Refused("Error 1\r\nNeeded"), out.get(), refusedErr.get()),
            kExitRefused);
  EXPECT_EQ(refusedErr.Text(), "Error 1\nNeeded\n");
}

// The files go first, in order; one that cannot be written stops the rest and the text.
TEST(CommandRunner, FilesAreWrittenBeforeTheTextAndAFailureStopsThem) {
  TempDir dir;
  CommandOutput output;
  output.files = {{dir.File("a.svg"), "first"}, {dir.File("b.svg"), "second"}};
  output.text = "table\n";
  CapturedStream out, err;
  EXPECT_EQ(DeliverOutput(output, out.get(), err.get()), kExitOk);
  EXPECT_EQ(ReadFileBytes(dir.File("a.svg")), "first");
  EXPECT_EQ(ReadFileBytes(dir.File("b.svg")), "second");
  EXPECT_EQ(out.Text(), "table\n");
  EXPECT_EQ(err.Text(), "");

  output.files = {{dir.File("a.svg"), "again"}, {dir.File("no/such/folder.svg"), "x"},
                  {dir.File("c.svg"), "third"}};
  CapturedStream failedOut, failedErr;
  EXPECT_EQ(DeliverOutput(output, failedOut.get(), failedErr.get()), kExitFileFailed);
  EXPECT_EQ(ReadFileBytes(dir.File("a.svg")), "again");
  EXPECT_FALSE(PathExists(dir.File("c.svg")));
  EXPECT_EQ(failedOut.Text(), "");
  EXPECT_EQ(failedErr.Text(), "Error writing\n" + dir.File("no/such/folder.svg") +
                                  ": No such file or directory\n");
}

struct CountOptions {
  int count = 0;
};

void AddCountOptions(CLI::App& command, CountOptions& options) {
  command.description("Counts");
  command.add_option("--count", options.count);
}

int RunCount(const CountOptions& options, std::FILE* out, std::FILE*) {
  std::fprintf(out, "%d", options.count);
  return options.count;
}

// One entry of the table is all a command needs: its name, its options, its run.
TEST(CommandRunner, ATableEntryRunsOnTheOptionsParsed) {
  const CommandEntry entry = MakeCommand("count", AddCountOptions, RunCount);
  CLI::App app;
  CLI::App* command = app.add_subcommand(entry.name);
  const CommandRun run = entry.add(*command);
  EXPECT_EQ(command->get_description(), "Counts");
  std::vector<std::string> args = {"7", "--count", "count"};  // the parser takes them last first
  app.parse(args);
  ASSERT_TRUE(command->parsed());
  CapturedStream out, err;
  EXPECT_EQ(run(out.get(), err.get()), 7);
  EXPECT_EQ(out.Text(), "7");
}

}  // namespace
