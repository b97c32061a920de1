#include "fuzz/FuzzInput.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace {

// The text of the k-th line (in SplitLines order) that passes `take`, cut by `cut`.
template <typename Pick>
std::string FromLines(const std::vector<std::string>& lines, unsigned k, Pick pick) {
  std::vector<std::string> found;
  for (const std::string& line : lines) {
    std::string piece;
    if (pick(line, piece)) found.push_back(piece.substr(0, 100));
  }
  if (found.empty()) return "Optics";
  return found[k % found.size()];
}

bool HeaderName(const std::string& line, std::string& out) {
  const std::size_t open = line.find_first_not_of(" \t");
  if (open == std::string::npos || line[open] != '[') return false;
  const std::size_t close = line.find(']', open);
  out = line.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
  return true;
}

bool EntryName(const std::string& line, std::string& out) {
  const std::size_t start = line.find_first_not_of(" \t");
  if (start == std::string::npos) return false;
  const std::size_t equals = line.find('=', start);
  out = line.substr(start, equals == std::string::npos ? std::string::npos : equals - start);
  while (!out.empty() && (out.back() == ' ' || out.back() == '\t')) out.pop_back();
  return !out.empty();
}

bool EntryValue(const std::string& line, std::string& out) {
  const std::size_t equals = line.find('=');
  if (equals == std::string::npos) return false;
  out = line.substr(equals + 1);
  return true;
}

}  // namespace

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    lines.push_back(text.substr(pos, end - pos));
    while (end < text.size() && (text[end] == '\r' || text[end] == '\n')) ++end;
    pos = end;
  }
  return lines;
}

FuzzInput ReadFuzzInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input;
  std::uint8_t choice[4] = {0, 0, 0, 0};
  for (int i = 0; i < 4 && size > 0; ++i) choice[i] = data[--size];
  input.content.assign(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = SplitLines(input.content);

  switch (choice[0] & 3) {
    case 0: input.nullSection = true; break;
    case 1: input.section = "Optics"; break;
    case 2: input.section = "optics"; break;
    default: input.section = FromLines(lines, choice[0] >> 2, HeaderName); break;
  }
  switch (choice[1] & 3) {
    case 0: input.name = "Diameter"; break;
    case 1: input.name = "Unit"; break;
    case 2: input.name = "diameter"; break;
    default: input.name = FromLines(lines, choice[1] >> 2, EntryName); break;
  }
  switch (choice[2] & 7) {
    case 0: input.nullValue = true; break;
    case 1: input.value = "8"; break;
    case 2: input.value = "NAN"; break;
    case 3: input.value = ""; break;
    case 4: input.value = std::string(300, 'v'); break;
    case 5: input.value = "two words"; break;
    default: input.value = FromLines(lines, choice[2] >> 3, EntryValue); break;
  }
  input.length = 1 + (choice[3] * 8) % 2047;
  // The library takes zero-terminated texts.
  for (std::string* text : {&input.section, &input.name, &input.value}) {
    text->resize(std::char_traits<char>::length(text->c_str()));
  }
  return input;
}

const std::string& ScratchFolder() {
  static const std::string folder = [] {
    std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    pattern += "/spekulor-fuzz-XXXXXX";
    if (mkdtemp(&pattern[0]) == nullptr) std::abort();
    std::atexit([] {
      unlink(ScratchFile().c_str());
      rmdir(ScratchFolder().c_str());
    });
    return pattern;
  }();
  return folder;
}

const std::string& ScratchFile() {
  static const std::string file = ScratchFolder() + "/design.spekulor";
  return file;
}

void WriteScratch(const std::string& bytes) {
  std::ofstream out(ScratchFile(), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) std::abort();
}

std::string ReadScratch() {
  std::ifstream in(ScratchFile(), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}
