// The files spekulor-cli's commands read and write: the path options, checked by the
// parser, and the two file messages with the file's name and the reason.
#ifndef SPEKULOR_CLI_FILEOUTPUT_H
#define SPEKULOR_CLI_FILEOUTPUT_H

#include <cstdio>
#include <string>

#include <CLI/CLI.hpp>

#include "files/FileMessages.h"

// Refuses the empty text as a file path: writing to "" would write nothing, or to
// the terminal. The parser names the option in its message (a usage error, 64).
CLI::Validator NonEmptyPath();

// Prints `message` ("Error reading" or "Error writing") alone on its line, then the
// path and the reason on the next; returns kExitFileFailed.
int PrintFileFailure(const char* message, const std::string& path, const FileProblem& problem,
                     std::FILE* err);

// Makes `bytes` the whole content of the file at `path` (ReplaceFileContents): true,
// or false after PrintFileFailure with "Error writing", the file left as it was.
bool WriteOutputFile(const std::string& path, const std::string& bytes, std::FILE* err);

#endif
