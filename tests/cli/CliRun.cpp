#include "tests/cli/CliRun.h"

#include <gtest/gtest.h>

#include "tests/common/TestFiles.h"

#include <cstdio>
#include <cstdlib>
#include <functional>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs the program with `args` in a child that `prepare` sets up first (it returns
// false when it cannot, and the child ends with `prepareFailed`).
CliResult RunPrepared(const std::vector<std::string>& args, const std::function<bool()>& prepare,
                      int prepareFailed, bool signalStatus) {
  char outPath[] = "/tmp/spekulor-cli-out-XXXXXX";
  char errPath[] = "/tmp/spekulor-cli-err-XXXXXX";
  const int outFd = mkstemp(outPath);
  const int errFd = mkstemp(errPath);
  CliResult result;
  if (outFd < 0 || errFd < 0) return result;

  const pid_t pid = fork();
  if (pid == 0) {
    dup2(outFd, STDOUT_FILENO);
    dup2(errFd, STDERR_FILENO);
    if (!prepare()) _exit(prepareFailed);
    std::vector<char*> argv;
    std::string program = SPEKULOR_CLI_PATH;
    argv.push_back(&program[0]);
    std::vector<std::string> copies(args);
    for (std::string& arg : copies) argv.push_back(&arg[0]);
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  int wstatus = 0;
  waitpid(pid, &wstatus, 0);
  close(outFd);
  close(errFd);
  if (WIFEXITED(wstatus)) result.status = WEXITSTATUS(wstatus);
  if (signalStatus && WIFSIGNALED(wstatus)) result.status = kEndedBySignal + WTERMSIG(wstatus);
  result.out = ReadFileBytes(outPath);
  result.err = ReadFileBytes(errPath);
  unlink(outPath);
  unlink(errPath);
  return result;
}

}  // namespace

CliResult RunCli(const std::vector<std::string>& args, long fileSizeLimit) {
  return RunPrepared(
      args,
      [fileSizeLimit] {
        if (fileSizeLimit >= 0) {
          const rlimit limit{static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
          setrlimit(RLIMIT_FSIZE, &limit);
        }
        return true;
      },
      127, false);
}

CliResult RunCliUnder(const std::vector<std::string>& args, const CliLimits& limits) {
  return RunPrepared(
      args,
      [&limits] {
        if (limits.ordinaryUser && !BecomeOrdinaryUser()) return false;
        if (limits.addressSpace >= 0) {
          const rlimit limit{static_cast<rlim_t>(limits.addressSpace),
                             static_cast<rlim_t>(limits.addressSpace)};
          if (setrlimit(RLIMIT_AS, &limit) != 0) return false;
          // No core files from the runs that are meant to run out.
          const rlimit noCore{0, 0};
          setrlimit(RLIMIT_CORE, &noCore);
        }
        return true;
      },
      kNoOrdinaryUser, true);
}

void ExpectFailure(const CliResult& result, int status, const std::string& errorStart) {
  EXPECT_EQ(result.status, status) << result.err;
  EXPECT_EQ(result.err.rfind(errorStart, 0), 0u) << result.err;
  EXPECT_EQ(result.out, "");
}

void ExpectOutputStart(const CliResult& result, const std::string& start) {
  EXPECT_EQ(result.out.rfind(start, 0), 0u) << result.out;
}
