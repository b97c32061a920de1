// Writing a whole file so that a failure never leaves it half-written: the one
// writer of every file the program makes (design files, lens files, pictures).
#ifndef SPEKULOR_SUPPORT_FILEREPLACE_H
#define SPEKULOR_SUPPORT_FILEREPLACE_H

#include <string>
#include <string_view>

namespace spekulor::support {

// The step of ReplaceFileContents that failed.
enum class FileReplaceStep {
  None,    // nothing failed
  Create,  // the links could not be followed, or the temporary file (or, for a pipe
           // or device, the path itself) could not be opened: nothing was written
  Write,   // writing, flushing, closing or the final rename failed
};

// Makes `bytes` the whole content of the file at `path` and returns 0, or the errno
// value of the step that failed; `failedStep`, when not null, receives that step.
//
// A regular file, or a path that does not exist yet, gets the bytes through a
// temporary file ".spekulor-XXXXXX" in the same folder: written, flushed to the
// disk, closed and then renamed over the path. An existing file must be one this
// user may open for writing (it is tried without truncating it): a read-only file
// is refused at the Create step (EACCES) and left as it is, although its folder
// would let the rename replace it. SIGINT, SIGTERM or SIGHUP ending the process
// while the temporary file exists (with the signal's default action) removes it
// first; a signal the program handles or ignores keeps its handling. Every step is checked (a write that
// takes no byte is a failure, not a reason to try forever); on a failure the
// temporary file is removed and the file at `path` is left exactly as it was (or
// absent). An existing file keeps its owner where allowed and then its permission
// bits (in that order, since a change of owner may clear the set-id bits); a new one
// gets 0666 less the umask. A symbolic link is followed and the file it names is
// replaced, so the link stays a link.
//
// A path that exists but is not a regular file (a pipe, a terminal, a device) cannot
// be replaced by a rename; it is opened for writing and written in place, and a
// failure may leave part of the bytes written.
int ReplaceFileContents(const std::string& path, std::string_view bytes,
                        FileReplaceStep* failedStep = nullptr);

}  // namespace spekulor::support

#endif
