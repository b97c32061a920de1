#include "support/AppCore.h"

#include "support/StringUtil.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include <unistd.h>

namespace spekulor::support {

namespace {

AssertAnswer AnswerAbort(const char*) { return AssertAbort; }

AssertQuestion g_assertQuestion = &AnswerAbort;

void DefaultFatalExit(const char*) {}

FatalExit g_fatalExit = &DefaultFatalExit;

// The registered program name; written once at start-up, only read afterwards.
char* g_programName = nullptr;

// Set while CheckFailed reports, so that a failure inside the report (the formatter
// running out of memory) cannot recurse.
bool g_checkFailing = false;

constexpr const char* kAppCoreModule = "AppCore";

}  // namespace

void DebugOut(const char* text) {
  // One write per call keeps lines from different sources whole on the stream.
  std::string line(text != nullptr ? text : "");
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

AssertQuestion SetAssertQuestion(AssertQuestion question) {
  AssertQuestion previous = g_assertQuestion;
  g_assertQuestion = question != nullptr ? question : &AnswerAbort;
  return previous;
}

FatalExit SetFatalExit(FatalExit fatalExit) {
  FatalExit previous = g_fatalExit;
  g_fatalExit = fatalExit != nullptr ? fatalExit : &DefaultFatalExit;
  return previous;
}

void FatalAppExit(const char* text) {
  DebugOut(text);
  g_fatalExit(text);
  std::_Exit(kFatalExitStatus);
}

void FormatAssertReport(char* buffer, const char* expression, const char* module, int line,
                        const char* message) {
  if (message != nullptr) {
    std::snprintf(buffer, kAssertReportSize, "AssertMessage(%s);\nFile %s, line %d.\n *** %s ***",
                  expression, module, line, message);
  } else {
    std::snprintf(buffer, kAssertReportSize, "Assert(%s);\nFile %s, line %d.", expression, module,
                  line);
  }
}

bool DebuggerAttached() {
  std::ifstream status("/proc/self/status");
  std::string entry;
  while (std::getline(status, entry)) {
    if (entry.compare(0, 10, "TracerPid:") == 0) {
      return std::atoi(entry.c_str() + 10) != 0;
    }
  }
  return false;
}

int AssertFailed(const char* expression, const char* module, int line, const char* message) {
  char report[kAssertReportSize];
  FormatAssertReport(report, expression, module, line, message);

  std::string channelText(report);
  channelText += '\n';
  DebugOut(channelText.c_str());

  const AssertAnswer answer = g_assertQuestion(report);
  if (answer == AssertAbort) {
    FatalAppExit("Application terminated");
  }
  if (answer == AssertRetry) {
    // Without a debugger SIGTRAP would end the process, so Retry then goes on as Ignore.
    if (DebuggerAttached()) std::raise(SIGTRAP);
  }
  return answer;
}

int InitAppCore(const char* argv0, const char* app) {
  LibraryCheck(kAppCoreModule, argv0);
  LibraryCheck(kAppCoreModule, app);
  char* copy = strdup(app);
  LibraryCheck(kAppCoreModule, copy);
  std::free(g_programName);
  g_programName = copy;
  return 0;
}

const char* GetProgramName() { return g_programName; }

void CheckFailed(const char* expression, const char* module, int line) {
  if (g_checkFailing) {
    // The report itself failed: say what is known without formatting and stop.
    DebugOut(expression);
    std::exit(1);
  }
  g_checkFailing = true;
  TextBuffer report;
  FormatText(report, "Assertation (%s) failed File %s Line %d", expression, module, line);
  DebugOut(report.Text());
  std::exit(1);
}

}  // namespace spekulor::support
