// Writing the program's Windows-1252, CR LF texts to a terminal or a pipe.
#ifndef SPEKULOR_CLI_TEXTOUTPUT_H
#define SPEKULOR_CLI_TEXTOUTPUT_H

#include <cstdio>
#include <string>

namespace spekulor::cli {

// Writes these bytes as they are and flushes; false when the stream reports an error.
bool WriteBytes(std::FILE* stream, const std::string& bytes);

// Writes the text's exact bytes when `raw`, otherwise support::ToTerminalText; false when the
// stream reports a write error.
bool WriteText(std::FILE* stream, const std::string& windowsText, bool raw);

}  // namespace spekulor::cli

#endif
