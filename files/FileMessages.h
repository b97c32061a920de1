// The two messages of every command that reads or writes a file the user chose.
#ifndef SPEKULOR_FILES_FILEMESSAGES_H
#define SPEKULOR_FILES_FILEMESSAGES_H

inline constexpr char kErrorWriting[] = "Error writing";
inline constexpr char kErrorReading[] = "Error reading";

#endif
