// What a command made, before anything is written: a failure with its message, or the
// files and the text it writes. Every command hands one of these to DeliverOutput, the
// one place that prints a failure and writes files and text.
#ifndef SPEKULOR_CLI_COMMANDOUTPUT_H
#define SPEKULOR_CLI_COMMANDOUTPUT_H

#include <cstdio>
#include <string>
#include <vector>

#include "cli/ExitStatus.h"
#include "files/FileMessages.h"

namespace spekulor::cli {

struct OutputFile {
  std::string path;
  std::string bytes;  // the file's whole content
};

struct CommandOutput {
  int status = kExitOk;  // not kExitOk: `message` alone is written, to the error stream
  std::string message;   // UTF-8, ends with a line end
  std::vector<OutputFile> files;  // written in order, before the text
  std::string text;               // for standard output, exactly these bytes
  bool ok() const { return status == kExitOk; }
};

// A refusal as the window's box shows it (for a refused design "Error N", then the
// message), kExitRefused; `boxText` Windows-1252.
CommandOutput Refused(const std::string& boxText);

// A completed design the analysis cannot answer for, kExitCannotAnalyse, with why
// (Windows-1252).
CommandOutput CannotAnalyse(const std::string& windowsText);

// A command line the parser took but that is wrong all the same, kExitUsage: as the
// parser's own messages, "spekulor-cli: ", the reason (UTF-8) and where to find help.
CommandOutput UsageError(const std::string& reason);

// "Error reading" or "Error writing" alone on its line, then the path and the reason,
// kExitFileFailed.
CommandOutput FileFailure(const char* message, const std::string& path, const files::FileProblem& problem);

// Text for standard output, or the file at `path` when one is given: the text's exact
// bytes in the file; on standard output those bytes when `raw`, otherwise as a terminal
// wants them (TextOutput.h). `windowsText` Windows-1252 with CR LF line ends.
CommandOutput TextOrFile(const std::string& windowsText, const std::string& path, bool raw);

// Prints the failure, or writes the files (each replaced whole; on failure the old file
// stays and nothing after it is written) and then the text. Returns the exit status.
int DeliverOutput(const CommandOutput& output, std::FILE* out, std::FILE* err);

}  // namespace spekulor::cli

#endif
