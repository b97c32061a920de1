// One row of spekulor-cli's table of commands (main.cpp): the command's name, how its
// options are added, and how it runs. Each command keeps its options in a struct of its
// own; MakeCommand ties the two functions to one such struct.
#ifndef SPEKULOR_CLI_COMMANDENTRY_H
#define SPEKULOR_CLI_COMMANDENTRY_H

#include <cstdio>
#include <functional>
#include <memory>

#include <CLI/CLI.hpp>

namespace spekulor::cli {

// How a parsed command runs: writes to `out` and `err`, returns the exit status.
using CommandRun = std::function<int(std::FILE* out, std::FILE* err)>;

struct CommandEntry {
  const char* name;
  // Gives the subcommand its description and options, and returns its run, which
  // reads the values the parser stored.
  std::function<CommandRun(CLI::App& command)> add;
};

// `addOptions` sets the command's description and options; `run` runs it on the
// values parsed.
template <class Options>
CommandEntry MakeCommand(const char* name, void (*addOptions)(CLI::App&, Options&),
                         int (*run)(const Options&, std::FILE*, std::FILE*)) {
  return {name, [addOptions, run](CLI::App& command) -> CommandRun {
            auto options = std::make_shared<Options>();
            addOptions(command, *options);
            return [options, run](std::FILE* out, std::FILE* err) { return run(*options, out, err); };
          }};
}

}  // namespace spekulor::cli

#endif
