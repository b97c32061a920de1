// Application core: the debug channel and the application assertions.
//
// The debug channel is the only record of diagnostics. On this platform it is the
// standard error stream: every text handed to DebugOut arrives there followed by
// one line feed.
//
// A failed application assertion builds its report text, sends it to the debug
// channel and asks what to do: Abort, Retry or Ignore. The question goes to a
// pluggable handler so that the window can show its box and tests can answer it.
// Without a handler the answer is Abort, which is what a program without a window
// (the command line) must do.
#ifndef SPEKULOR_SUPPORT_APPCORE_H
#define SPEKULOR_SUPPORT_APPCORE_H

namespace spekulor::support {

// Button codes of the assertion question, with the values a message box returns.
enum AssertAnswer {
  AssertAbort = 3,
  AssertRetry = 4,
  AssertIgnore = 5
};

// Asks the user about a failed assertion; gets the report text (three lines at most,
// separated by line feeds) and returns the button chosen.
using AssertQuestion = AssertAnswer (*)(const char* reportText);

// Installs the question for failed assertions and returns the previous one; a null
// question restores the default, which answers Abort.
AssertQuestion SetAssertQuestion(AssertQuestion question);

// Ends the process at once after a fatal application error: the text goes to the
// debug channel, no exit handler runs and no process-wide object is destroyed.
// The exit status is kFatalExitStatus. Replaceable for the window, which shows the
// text first.
constexpr int kFatalExitStatus = 3;
using FatalExit = void (*)(const char* text);
FatalExit SetFatalExit(FatalExit fatalExit);
[[noreturn]] void FatalAppExit(const char* text);

// Sends the text and one line feed to the debug channel.
void DebugOut(const char* text);

// Size of the buffer the assertion report is built in, terminator included.
constexpr int kAssertReportSize = 256;

// Builds the assertion report text into `buffer` (kAssertReportSize bytes): with a
// message "AssertMessage(%s);\nFile %s, line %d.\n *** %s ***", without one
// "Assert(%s);\nFile %s, line %d.". Longer reports are cut at the buffer's end.
void FormatAssertReport(char* buffer, const char* expression, const char* module,
                        int line, const char* message);

// A failed application assertion: reports it on the debug channel (the report text
// and one more line feed), asks the question and acts on the answer. Abort ends the
// process through FatalAppExit("Application terminated"); Retry breaks into an
// attached debugger, if any, and then goes on as Ignore; Ignore returns the answer.
int AssertFailed(const char* expression, const char* module, int line, const char* message);

// True when a debugger is attached to this process.
bool DebuggerAttached();

namespace appcore_detail {
// The base name of a source path, so reports name the module rather than the build tree.
constexpr const char* BaseName(const char* path) {
  const char* base = path;
  for (const char* p = path; *p != '\0'; ++p) {
    if (*p == '/' || *p == '\\') base = p + 1;
  }
  return base;
}
}  // namespace appcore_detail

#define Assert(expr)                                                                    \
  ((expr) ? (void)0                                                                     \
          : (void)AssertFailed(#expr, appcore_detail::BaseName(__FILE__), __LINE__, nullptr))

#define AssertMessage(expr, message)                                                    \
  ((expr) ? (void)0                                                                     \
          : (void)AssertFailed(#expr, appcore_detail::BaseName(__FILE__), __LINE__, (message)))

// ---- Library core: the registered program name and the library's own check ----

// Registers the program under the name `app` (a copy is kept for the life of the
// process); `argv0`, the start file name, is only checked, not stored. Both must not
// be null: a null one fails the library check with the text "argv0" or "app".
// Returns 0. Called once at start-up, before any window exists.
int InitAppCore(const char* argv0, const char* app);

// The registered program name, or null before InitAppCore has run.
const char* GetProgramName();

// The library check: a broken precondition inside the support library. Sends
// "Assertation (<expression>) failed File <module> Line <line>" to the debug channel
// and ends the process with exit status 1, running the process-exit handlers.
[[noreturn]] void CheckFailed(const char* expression, const char* module, int line);

// Checks `expr` in the library module named `module` (for example "ConfigFile");
// the expression's source text is what the debug line reports.
#define LibraryCheck(module, expr) \
  ((expr) ? (void)0 : CheckFailed(#expr, (module), __LINE__))

}  // namespace spekulor::support

#endif
