// Writing a whole file so that a failure never leaves it half-written.
#ifndef SPEKULOR_FILES_FILEREPLACE_H
#define SPEKULOR_FILES_FILEREPLACE_H

#include <string>
#include <string_view>

// Makes `bytes` the whole content of the file at `path` and returns 0, or the errno
// value of the step that failed.
//
// A regular file, or a path that does not exist yet, gets the bytes through a
// temporary file in the same folder: written, flushed to the disk, closed and then
// renamed over the path. Every step is checked; on a failure the temporary file is
// removed and the file at `path` is left exactly as it was (or absent). An existing
// file keeps its permission bits and, where allowed, its owner; a new one gets
// 0666 less the umask. A symbolic link is followed and the file it names is
// replaced, so the link stays a link.
//
// A path that exists but is not a regular file (a pipe, a terminal, a device) cannot
// be replaced by a rename; it is opened for writing and written in place, and a
// failure may leave part of the bytes written.
int ReplaceFileContents(const std::string& path, std::string_view bytes);

#endif
