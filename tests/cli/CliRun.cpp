#include "CliRun.h"

#include "TestFiles.h"

#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

CliResult RunCli(const std::vector<std::string>& args, long fileSizeLimit) {
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
    if (fileSizeLimit >= 0) {
      const rlimit limit{static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
      setrlimit(RLIMIT_FSIZE, &limit);
    }
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
  result.out = ReadFileBytes(outPath);
  result.err = ReadFileBytes(errPath);
  unlink(outPath);
  unlink(errPath);
  return result;
}
