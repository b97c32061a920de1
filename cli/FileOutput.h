// The file paths spekulor-cli's commands take, checked by the parser.
#ifndef SPEKULOR_CLI_FILEOUTPUT_H
#define SPEKULOR_CLI_FILEOUTPUT_H

#include <CLI/CLI.hpp>

namespace spekulor::cli {

// Refuses the empty text as a file path: writing to "" would write nothing, or to
// the terminal. The parser names the option in its message (a usage error, 64).
CLI::Validator NonEmptyPath();

}  // namespace spekulor::cli

#endif
