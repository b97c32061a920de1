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

CliResult RunCli(const std::vector<std::string>& args);

#endif
