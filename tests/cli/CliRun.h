// Runs spekulor-cli as a child process and collects what it wrote and its status.
#ifndef SPEKULOR_TESTS_CLI_CLIRUN_H
#define SPEKULOR_TESTS_CLI_CLIRUN_H

#include <string>
#include <vector>

struct CliResult {
  int status = -1;  // exit status, or -1 when the program did not exit normally
  std::string out;
  std::string err;
};

// Runs the program with `args`; a `fileSizeLimit` of 0 or more sets RLIMIT_FSIZE for it
// (SIGXFSZ keeps its default action, so the program itself must survive the limit).
CliResult RunCli(const std::vector<std::string>& args, long fileSizeLimit = -1);

// What else the program runs under.
struct CliLimits {
  long long addressSpace = -1;  // RLIMIT_AS in bytes, as `ulimit -v` sets it; -1 for none
  bool ordinaryUser = false;    // as BecomeOrdinaryUser makes it (status kNoOrdinaryUser
                                // when it cannot)
};
CliResult RunCliUnder(const std::vector<std::string>& args, const CliLimits& limits);

// The run ended with `status`, wrote nothing to its standard output, and its error
// text begins with `errorStart`.
void ExpectFailure(const CliResult& result, int status, const std::string& errorStart);

// The run's standard output begins with `start`.
void ExpectOutputStart(const CliResult& result, const std::string& start);

// The status of a run that ended by a signal: 128 + the signal's number.
constexpr int kEndedBySignal = 128;

#endif
