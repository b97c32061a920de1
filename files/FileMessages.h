// The two messages of every command that reads or writes a file the user chose, and
// the reason told beside them: the file's name and why it failed.
#ifndef SPEKULOR_FILES_FILEMESSAGES_H
#define SPEKULOR_FILES_FILEMESSAGES_H

#include <string>

namespace spekulor::files {

inline constexpr char kErrorWriting[] = "Error writing";
inline constexpr char kErrorReading[] = "Error reading";

// Why a file could not be read or written.
enum class FileProblemKind {
  None,
  System,           // the system refused: `error` holds the errno value
  NotARegularFile,  // a pipe, a device or a socket where a design file was to be read
  TooLarge,         // a design file larger than kMaxDesignFileBytes
  NotADesignFile,   // empty, holding NUL bytes, or without a section "Optics"
};
struct FileProblem {
  FileProblemKind kind = FileProblemKind::None;
  int error = 0;
};

// The problem of an errno value (none for 0).
FileProblem SystemFileProblem(int error);

// The reason in plain words, ASCII: the system's own text for an errno value (in
// English, whatever the locale), "not a regular file", "larger than 1 MiB", "not a
// design file"; empty for no problem.
std::string DescribeFileProblem(const FileProblem& problem);

// The line told under "Error reading" or "Error writing": the path as it was given
// (an empty one as ""), a colon and the reason.
std::string FileProblemDetail(const std::string& path, const FileProblem& problem);

}  // namespace spekulor::files

#endif
