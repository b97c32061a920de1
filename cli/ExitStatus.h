// spekulor-cli's exit statuses, the same for every command.
#ifndef SPEKULOR_CLI_EXITSTATUS_H
#define SPEKULOR_CLI_EXITSTATUS_H

#include <cstdio>

namespace spekulor::cli {

enum ExitStatus : int {
  kExitOk = 0,
  kExitFileFailed = 1,   // a file could not be read ("Error reading") or written ("Error writing")
  kExitRefused = 2,      // the design was refused: the window's box text
  kExitCannotAnalyse = 3,  // completed, but the analysis asked for is not possible
  kExitUsage = 64        // EX_USAGE: the command line itself is wrong
};

// Says on `err` that the command ran out of memory before it could finish, with no
// allocation of its own; returns kExitCannotAnalyse.
int PrintOutOfMemory(std::FILE* err);

}  // namespace spekulor::cli

#endif
