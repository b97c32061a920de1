#include "AppCore.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

AssertAnswer AnswerAbort(const char*) { return AssertAbort; }

AssertQuestion g_assertQuestion = &AnswerAbort;

void DefaultFatalExit(const char*) {}

FatalExit g_fatalExit = &DefaultFatalExit;

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
