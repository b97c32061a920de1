// How the fuzz targets read their input: the bytes are the content of a
// configuration file, and the last bytes choose the section, the name and the value
// to work with, either fixed ones or ones taken from the content's own lines (so
// that mutations of the file reach odd names too).
#ifndef SPEKULOR_FUZZ_FUZZINPUT_H
#define SPEKULOR_FUZZ_FUZZINPUT_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct FuzzInput {
  std::string content;   // the file's bytes
  bool nullSection = false;
  std::string section;
  std::string name;
  bool nullValue = false;
  std::string value;
  int length = 1;        // a buffer length for GetString, 1..2047
};

FuzzInput ReadFuzzInput(const std::uint8_t* data, std::size_t size);

// The file's lines as the writer sees them: split at runs of CR and LF, a run at
// the very start giving one empty line.
std::vector<std::string> SplitLines(const std::string& text);

// A private scratch file on a memory file system where there is one; its folder
// holds nothing else.
const std::string& ScratchFolder();
const std::string& ScratchFile();
void WriteScratch(const std::string& bytes);
std::string ReadScratch();

#endif
