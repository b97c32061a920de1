#include "ConfigFile.h"

#include "AppCore.h"
#include "DecimalText.h"
#include "StringUtil.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kModule = "ConfigFile";

// Line buffers of the lookups: a header search reads up to 2047 characters of a line
// at a time, an entry search up to 2039; a longer line is examined in pieces.
constexpr int kHeaderLineSize = 2048;
constexpr int kEntryLineSize = 2040;
// The raw value of an entry is never longer than the entry search's line.
constexpr std::size_t kRawValueSize = kEntryLineSize;
// Buffer of the typed getters: values of up to 255 characters.
constexpr int kTypedValueSize = 256;
// The longest section name GetSectionNames copies.
constexpr std::size_t kListNameLimit = 255;
// Size of the list buffer behind the TextBuffer list variants.
constexpr int kListBufferSize = 1024;
// Value length of the TextBuffer variants of GetString.
constexpr int kTextValueSize = 2047;
// How many symbolic links a write follows before it gives up.
constexpr int kMaxLinkHops = 40;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// The name in a header line: the text after "[" up to "]" or the line end, at
// most `limit` characters, copied into `dest` (which holds limit + 1 chars).
std::size_t CopyHeaderName(const char* line, char* dest, std::size_t limit) {
  const char* name = SkipBlanks(line) + 1;
  std::size_t n = 0;
  while (n < limit && name[n] != '\0' && name[n] != ']' && !IsLineEnd(name[n])) {
    dest[n] = name[n];
    ++n;
  }
  dest[n] = '\0';
  return n;
}

// Appends `name` and "=" to the list in `dest` (`used` characters so far), unless
// the list plus the name plus 10 would reach `size`.
bool AppendListName(char* dest, std::size_t& used, const char* name, std::size_t length,
                    int size) {
  if (used + length + 10 >= static_cast<std::size_t>(size)) return false;
  std::memcpy(dest + used, name, length);
  used += length;
  dest[used++] = '=';
  dest[used] = '\0';
  return true;
}

// Decimal integer: optional blanks, optional sign, digits; clamped to the range of long.
long ReadLong(const char* text) {
  const char* p = SkipBlanks(text);
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = *p == '-';
    ++p;
  }
  const unsigned long long limit =
      negative ? static_cast<unsigned long long>(LONG_MAX) + 1 : static_cast<unsigned long long>(LONG_MAX);
  unsigned long long value = 0;
  for (; IsDigit(*p); ++p) {
    const unsigned digit = static_cast<unsigned>(*p - '0');
    value = value > (limit - digit) / 10 ? limit : value * 10 + digit;
  }
  if (!negative) return static_cast<long>(value);
  return value > static_cast<unsigned long long>(LONG_MAX) ? LONG_MIN : -static_cast<long>(value);
}

// "NAN" is the value not given; otherwise the longest leading decimal number.
// Hexadecimal forms and the words for infinity or NaN are not numbers here.
double ReadDouble(const char* text) {
  if (std::strcmp(text, "NAN") == 0) return HUGE_VAL;
  return ReadDecimalPrefix(SkipBlanks(text));
}

// Removes line-end characters at the end of `psz`: a value that opens a quote and
// never closes it runs to the end of its line, but not into the line end.
void DropLineEnd(char* psz) {
  std::size_t n = std::strlen(psz);
  while (n > 0 && IsLineEnd(psz[n - 1])) psz[--n] = '\0';
}

// ---- The rewrite ----

struct LineSpan {
  const char* begin;
  std::size_t length;
};

// Takes the next line of [pos, end): everything up to the next CR or LF, which with
// the whole run of CR and LF after it ends the line. False at the end of the text.
bool TakeLine(const char*& pos, const char* end, LineSpan& line) {
  if (pos == end) return false;
  line.begin = pos;
  while (pos != end && !IsLineEnd(*pos)) ++pos;
  line.length = static_cast<std::size_t>(pos - line.begin);
  while (pos != end && IsLineEnd(*pos)) ++pos;
  return true;
}

// ---- Writing files ----

// Closes a descriptor on every path out.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : m_fd(fd) {}
  ~FileDescriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return m_fd; }
  // Closes now and tells whether the close succeeded.
  bool Close() {
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0;
  }

 private:
  int m_fd;
};

bool WriteAll(int fd, const std::string& text) {
  const char* p = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

// Follows symbolic links from `path` to the path that is not a link (it may not
// exist yet). False for a loop of links or an unreadable link.
bool ResolveLinks(const char* path, std::string& resolved) {
  std::string current(path);
  std::vector<char> target(256);
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat st;
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      resolved = current;
      return true;
    }
    ssize_t n;
    for (;;) {
      n = ::readlink(current.c_str(), target.data(), target.size());
      if (n < 0) return false;
      if (static_cast<std::size_t>(n) < target.size()) break;
      target.resize(target.size() * 2);
    }
    const std::string link(target.data(), static_cast<std::size_t>(n));
    const std::size_t slash = current.rfind('/');
    if (link[0] == '/' || slash == std::string::npos) {
      current = link;
    } else {
      current = current.substr(0, slash + 1) + link;
    }
  }
  return false;
}

// Reads the whole of an existing regular file into `content`.
int ReadWholeFile(const std::string& path, std::string& content) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.Get() < 0) return kConfigCannotRead;
  struct stat st;
  if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) return kConfigCannotRead;
  content.resize(static_cast<std::size_t>(st.st_size));
  std::size_t got = 0;
  while (got < content.size()) {
    const ssize_t n = ::read(fd.Get(), &content[got], content.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  if (got < content.size()) return kConfigCannotRead;
  // A file that grew while it was read cannot be copied faithfully.
  char extra;
  ssize_t more;
  do {
    more = ::read(fd.Get(), &extra, 1);
  } while (more < 0 && errno == EINTR);
  if (more != 0) return kConfigCannotRead;
  return kConfigOk;
}

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

// Writes a pipe or device in place; such a path is never replaced by a rename.
int WriteInPlace(const std::string& path, const std::string& text) {
  FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
  if (fd.Get() < 0) return kConfigCannotOpen;
  bool ok = WriteAll(fd.Get(), text);
  ok = fd.Close() && ok;
  return ok ? kConfigOk : kConfigWriteFailed;
}

// Replaces the regular file at `path` (or creates it, when `original` is null) with
// `text` through a synced temporary file in the same folder and a rename. On any
// failure the old file is untouched and the temporary file is removed.
int ReplaceFile(const std::string& path, const std::string& text, const struct stat* original) {
  const int cannotCreate = original != nullptr ? kConfigCannotOpen : kConfigCannotRead;
  const std::size_t slash = path.rfind('/');
  const std::string folderPrefix = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  if (base.empty()) return cannotCreate;
  // Keep the temporary name within the file system's limit of a name's length.
  if (base.size() > 200) base.resize(200);
  std::string temp = folderPrefix + "." + base + ".XXXXXX";
  FileDescriptor fd(::mkostemp(&temp[0], O_CLOEXEC));
  if (fd.Get() < 0) return cannotCreate;

  const mode_t mode = original != nullptr ? (original->st_mode & 07777) : (0666 & ~CurrentUmask());
  bool ok = ::fchmod(fd.Get(), mode) == 0;
  if (original != nullptr && ::fchown(fd.Get(), original->st_uid, original->st_gid) != 0) {
    // Only the owner's own group or root can keep another owner; the mode is kept anyway.
  }
  ok = ok && WriteAll(fd.Get(), text);
  ok = ok && ::fsync(fd.Get()) == 0;
  ok = fd.Close() && ok;
  ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return kConfigWriteFailed;
  }
  // Make the rename itself durable; the content is already in place, so a folder
  // that cannot be synced is no failure of the write.
  FileDescriptor folder(::open(folderPrefix.empty() ? "." : folderPrefix.c_str(),
                               O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Get() >= 0 && ::fsync(folder.Get()) != 0) {
    // See above.
  }
  return kConfigOk;
}

}  // namespace

// ---------------------------------------------------------------------------
// Helpers

char* SkipBlanks(char* psz) {
  while (IsBlank(*psz)) ++psz;
  return psz;
}

const char* SkipBlanks(const char* psz) {
  while (IsBlank(*psz)) ++psz;
  return psz;
}

char* TrimBlanks(char* psz) {
  std::size_t n = std::strlen(psz);
  while (n > 0 && IsBlank(psz[n - 1])) psz[--n] = '\0';
  return psz;
}

char* CutComment(char* psz) {
  for (char* p = psz; *p != '\0'; ++p) {
    if (*p == '"') {
      char* close = std::strchr(p + 1, '"');
      if (close == nullptr) return nullptr;  // the rest of the text is quoted
      p = close;
    } else if (*p == '#' || IsLineEnd(*p)) {
      *p = '\0';
      return TrimBlanks(psz);
    }
  }
  return nullptr;
}

unsigned char FoldChar(unsigned char c) {
  if (c < 0x20) return '_';
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 'a' + 'A');
  if (c < 0x80) return c;
  switch (c) {
    case 0x81: case 0x9A: case 0xDC: case 0xFC: return 0x9A;  // u umlaut
    case 0x84: case 0x8E: case 0xC4: case 0xE4: return 0x8E;  // a umlaut
    case 0x94: case 0x99: case 0xD6: case 0xF6: return 0x99;  // o umlaut
    case 0xDF: case 0xE1: return 0xE1;                        // sharp s
    default: return '_';
  }
}

bool MatchFolded(const char* name, const char* text) {
  for (; *name != '\0'; ++name, ++text) {
    if (*text == '\0') return false;
    if (FoldChar(static_cast<unsigned char>(*name)) != FoldChar(static_cast<unsigned char>(*text))) {
      return false;
    }
  }
  return true;
}

long FileLength(const char* pszPath) {
  FileDescriptor fd(::open(pszPath, O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.Get() < 0) return 0;
  struct stat st;
  if (::fstat(fd.Get(), &st) != 0) return 0;
  if (S_ISREG(st.st_mode)) return static_cast<long>(st.st_size);
  const off_t end = ::lseek(fd.Get(), 0, SEEK_END);
  return end > 0 ? static_cast<long>(end) : 0;
}

bool FileExists(const char* pszPath) {
  struct stat st;
  return ::stat(pszPath, &st) == 0;
}

char* NextLine(char* dest, std::size_t size, const char** ppszPos) {
  const char* p = *ppszPos;
  if (p == nullptr || *p == '\0' || size < 4) return nullptr;
  const std::size_t limit = size - 3;
  std::size_t n = 0;
  while (n < limit && p[n] != '\0' && !IsLineEnd(p[n])) ++n;
  std::memcpy(dest, p, n);
  std::memcpy(dest + n, "\r\n", 3);
  p += n;
  // A line cut at the limit goes on in the next piece; otherwise skip its line end.
  while (IsLineEnd(*p)) ++p;
  *ppszPos = p;
  return dest;
}

bool IsHeaderLine(const char* line) { return *SkipBlanks(line) == '['; }

bool IsSectionHeader(const char* line, const char* section) {
  const char* p = SkipBlanks(line);
  if (*p != '[') return false;
  ++p;
  if (!MatchFolded(section, p)) return false;
  return p[std::strlen(section)] == ']';
}

char* EntryValue(char* line, const char* name) {
  char* p = SkipBlanks(line);
  if (!MatchFolded(name, p)) return nullptr;
  char* rest = p + std::strlen(name);
  CutComment(rest);
  // Anything else after the name means a longer name of which `name` is a prefix.
  if (*rest != '\0' && !IsBlank(*rest) && *rest != '=') return nullptr;
  rest = SkipBlanks(rest);
  if (*rest == '\0') return rest;
  if (*rest != '=') return nullptr;
  return SkipBlanks(rest + 1);
}

std::string RewriteConfigText(std::string_view text, const char* section, const char* name,
                              const char* value) {
  std::string out;
  out.reserve(text.size() + std::strlen(name) + (value != nullptr ? std::strlen(value) : 0) +
              (section != nullptr ? std::strlen(section) : 0) + 16);
  const char* pos = text.data();
  const char* const end = pos + text.size();
  std::string examined;  // the line as the tests see it: a NUL-terminated copy with "\r\n"
  LineSpan line{};

  auto copyLine = [&out](const LineSpan& l) {
    out.append(l.begin, l.length);
    out += "\r\n";
  };
  auto writeEntry = [&]() {
    if (value == nullptr) return;
    out += name;
    out += '=';
    out += value;
    out += "\r\n";
  };
  auto examine = [&examined](const LineSpan& l) -> char* {
    examined.assign(l.begin, l.length);
    examined += "\r\n";
    return &examined[0];
  };
  auto copyRest = [&]() {
    while (TakeLine(pos, end, line)) copyLine(line);
  };

  if (section != nullptr) {
    bool found = false;
    while (!found && TakeLine(pos, end, line)) {
      copyLine(line);
      found = IsSectionHeader(examine(line), section);
    }
    if (!found) {
      out += '[';
      out += section;
      out += "]\r\n";
      writeEntry();
      return out;
    }
  }

  while (TakeLine(pos, end, line)) {
    char* candidate = examine(line);
    if (IsHeaderLine(candidate)) {
      writeEntry();
      copyLine(line);
      copyRest();
      return out;
    }
    if (EntryValue(candidate, name) != nullptr) {
      writeEntry();  // in place of the old line
      copyRest();
      return out;
    }
    copyLine(line);
  }
  writeEntry();
  return out;
}

// ---------------------------------------------------------------------------
// CConfigFile

CConfigFile::CConfigFile(const char* psz) : m_szFilename{}, m_pf(nullptr) {
  LibraryCheck(kModule, psz);
  LibraryCheck(kModule, strlen(psz) < sizeof(m_szFilename));
  std::memcpy(m_szFilename, psz, std::strlen(psz) + 1);
}

CConfigFile::~CConfigFile() { LibraryCheck(kModule, m_pf == NULL); }

int CConfigFile::Open() {
  if (m_pf != nullptr) return kConfigAlreadyOpen;
  // Non-blocking, so that a pipe without a writer reads as empty instead of hanging.
  const int fd = ::open(m_szFilename, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return kConfigCannotOpen;
  m_pf = ::fdopen(fd, "r");
  if (m_pf == nullptr) {
    ::close(fd);
    return kConfigCannotOpen;
  }
  return kConfigOk;
}

int CConfigFile::Close() {
  if (m_pf == nullptr) return kConfigNotOpen;
  std::fclose(m_pf);
  m_pf = nullptr;
  return kConfigOk;
}

int CConfigFile::FindSection(const char* section) {
  if (section == nullptr) return kConfigOk;
  LibraryCheck(kModule, m_pf);
  LibraryCheck(kModule, strlen(section) < 2048);
  char line[kHeaderLineSize];
  while (std::fgets(line, sizeof line, m_pf) != nullptr) {
    if (IsSectionHeader(line, section)) return kConfigOk;
  }
  return kConfigSectionNotFound;
}

int CConfigFile::FindName(const char* name, char* xvalue) {
  LibraryCheck(kModule, m_pf);
  LibraryCheck(kModule, name);
  LibraryCheck(kModule, strlen(name) < 2048);
  LibraryCheck(kModule, xvalue);
  char line[kEntryLineSize];
  while (std::fgets(line, sizeof line, m_pf) != nullptr) {
    if (IsHeaderLine(line)) return kConfigNextSection;
    const char* raw = EntryValue(line, name);
    if (raw != nullptr) {
      std::memcpy(xvalue, raw, std::strlen(raw) + 1);
      return kConfigOk;
    }
  }
  return kConfigEndOfFile;
}

int CConfigFile::GetString(const char* section, const char* name, char* dest, int len) {
  LibraryCheck(kModule, len < 2048);
  LibraryCheck(kModule, dest);
  LibraryCheck(kModule, len > 0);
  dest[0] = '\0';
  int rc = Open();
  if (rc != kConfigOk) return rc;
  rc = FindSection(section);
  if (rc != kConfigOk) {
    Close();
    return rc;
  }
  char* raw = static_cast<char*>(std::malloc(kRawValueSize));
  if (raw == nullptr) {
    Close();
    return kConfigNoMemory;
  }
  rc = FindName(name, raw);
  const int closed = Close();
  if (rc == kConfigOk) rc = closed;
  if (rc == kConfigOk) {
    DropLineEnd(raw);
    if (std::strlen(raw) > static_cast<std::size_t>(len - 1)) rc = kConfigValueTooLong;
  }
  if (rc == kConfigOk) {
    char* value = TrimBlanks(raw);
    const std::size_t n = std::strlen(value);
    if (n > 0 && value[0] == '"') {
      if (n == 1) {
        value[0] = '\0';
      } else if (value[n - 1] != '"') {
        rc = kConfigOpenQuote;
      } else {
        value[n - 1] = '\0';
        ++value;
      }
    }
    if (rc == kConfigOk) std::memcpy(dest, value, std::strlen(value) + 1);
  }
  std::free(raw);
  return rc;
}

int CConfigFile::GetString(const char* section, const char* name, TextBuffer& dest) {
  dest.Set("");
  char value[kTextValueSize];
  const int rc = GetString(section, name, value, kTextValueSize);
  if (rc == kConfigOk) dest.Set(value);
  return rc;
}

int CConfigFile::GetStringDefault(const char* section, const char* name, char* dest, int len,
                                  const char* pszDefault) {
  if (GetString(section, name, dest, len) != kConfigOk && pszDefault != nullptr) {
    // At most len - 1 characters, like any value.
    const std::size_t n = std::min(std::strlen(pszDefault), static_cast<std::size_t>(len - 1));
    std::memcpy(dest, pszDefault, n);
    dest[n] = '\0';
  }
  return kConfigOk;
}

int CConfigFile::GetStringDefault(const char* section, const char* name, TextBuffer& dest,
                                  const char* pszDefault) {
  if (GetString(section, name, dest) != kConfigOk) dest.Set(pszDefault);
  return kConfigOk;
}

int CConfigFile::GetLong(const char* section, const char* name, long* pValue, long lDefault) {
  LibraryCheck(kModule, pValue);
  char value[kTypedValueSize];
  const int rc = GetString(section, name, value, kTypedValueSize);
  *pValue = rc == kConfigOk ? ReadLong(value) : lDefault;
  return rc;
}

int CConfigFile::GetInt(const char* section, const char* name, int* pValue, int nDefault) {
  LibraryCheck(kModule, pValue);
  long value = 0;
  const int rc = GetLong(section, name, &value, nDefault);
  if (value > INT_MAX) value = INT_MAX;
  if (value < INT_MIN) value = INT_MIN;
  *pValue = static_cast<int>(value);
  return rc;
}

int CConfigFile::GetDouble(const char* section, const char* name, double* pValue,
                           double dDefault) {
  LibraryCheck(kModule, pValue);
  char value[kTypedValueSize];
  const int rc = GetString(section, name, value, kTypedValueSize);
  *pValue = rc == kConfigOk ? ReadDouble(value) : dDefault;
  return rc;
}

int CConfigFile::GetChar(const char* section, const char* name, char* pValue, char cDefault) {
  LibraryCheck(kModule, pValue);
  char value[kTypedValueSize];
  const int rc = GetString(section, name, value, kTypedValueSize);
  *pValue = rc == kConfigOk ? value[0] : cDefault;
  return rc;
}

int CConfigFile::GetBool(const char* section, const char* name, bool* pValue, bool bDefault) {
  LibraryCheck(kModule, pValue);
  char value[kTypedValueSize];
  const int rc = GetString(section, name, value, kTypedValueSize);
  if (rc != kConfigOk) {
    *pValue = bDefault;
  } else if (std::strcmp(value, "true") == 0 || std::strcmp(value, "yes") == 0) {
    *pValue = true;
  } else if (std::strcmp(value, "false") == 0 || std::strcmp(value, "no") == 0) {
    *pValue = false;
  } else {
    *pValue = ReadLong(value) != 0;
  }
  return rc;
}

int CConfigFile::GetSectionNames(char* dest, int size) {
  LibraryCheck(kModule, dest);
  LibraryCheck(kModule, size > 0);
  dest[0] = '\0';
  const int rc = Open();
  if (rc != kConfigOk) return rc;
  char line[kHeaderLineSize];
  char name[kListNameLimit + 1];
  std::size_t used = 0;
  while (std::fgets(line, sizeof line, m_pf) != nullptr) {
    if (!IsHeaderLine(line)) continue;
    const std::size_t length = CopyHeaderName(line, name, kListNameLimit);
    if (!AppendListName(dest, used, name, length, size)) {
      Close();
      return kConfigListTooLong;
    }
  }
  return Close();
}

int CConfigFile::GetSectionNames(TextBuffer& dest) {
  char list[kListBufferSize];
  const int rc = GetSectionNames(list, kListBufferSize);
  dest.Set(rc == kConfigOk ? list : "");
  return rc;
}

int CConfigFile::GetNames(const char* section, char* dest, int size) {
  LibraryCheck(kModule, dest);
  LibraryCheck(kModule, size > 0);
  dest[0] = '\0';
  int rc = Open();
  if (rc != kConfigOk) return rc;
  rc = FindSection(section);
  if (rc != kConfigOk) {
    Close();
    return rc;
  }
  // Lines are read with a buffer of the list's size; a tiny list still needs a
  // buffer that makes progress through the file.
  const int lineSize = size < 16 ? 16 : size;
  char* line = static_cast<char*>(std::malloc(static_cast<std::size_t>(lineSize)));
  if (line == nullptr) {
    Close();
    return kConfigNoMemory;
  }
  std::size_t used = 0;
  while (rc == kConfigOk && std::fgets(line, lineSize, m_pf) != nullptr) {
    char* p = SkipBlanks(line);
    if (*p == '[') break;
    if (*p == '#') continue;
    char* equals = std::strchr(p, '=');
    if (equals == nullptr) continue;
    *equals = '\0';
    TrimBlanks(p);
    if (!AppendListName(dest, used, p, std::strlen(p), size)) rc = kConfigListTooLong;
  }
  std::free(line);
  const int closed = Close();
  return rc != kConfigOk ? rc : closed;
}

int CConfigFile::GetNames(const char* section, TextBuffer& dest) {
  char list[kListBufferSize];
  const int rc = GetNames(section, list, kListBufferSize);
  dest.Set(rc == kConfigOk ? list : "");
  return rc;
}

int CConfigFile::NextSectionName(char* dest, int size) {
  LibraryCheck(kModule, m_pf);
  LibraryCheck(kModule, dest);
  LibraryCheck(kModule, size > 0);
  dest[0] = '\0';
  char line[kHeaderLineSize];
  while (std::fgets(line, sizeof line, m_pf) != nullptr) {
    if (IsHeaderLine(line)) {
      CopyHeaderName(line, dest, static_cast<std::size_t>(size - 1));
      return kConfigOk;
    }
  }
  return kConfigSectionNotFound;
}

int CConfigFile::WriteString(const char* section, const char* name, const char* value) {
  LibraryCheck(kModule, name);
  try {
    std::string target;
    if (!ResolveLinks(m_szFilename, target) || target.empty()) return kConfigCannotRead;

    struct stat st;
    const bool exists = ::stat(target.c_str(), &st) == 0;
    const bool regular = exists && S_ISREG(st.st_mode);
    std::string content;
    if (!exists) {
      const char* program = GetProgramName();
      content = "# generated by ";
      content += program != nullptr ? program : "Toolkern";
      content += "\r\n";
    } else if (regular) {
      const int rc = ReadWholeFile(target, content);
      if (rc != kConfigOk) return rc;
    }

    if (section != nullptr) LibraryCheck(kModule, strlen(section) < 2048);
    LibraryCheck(kModule, strlen(name) < 2048);

    if (regular && ::access(target.c_str(), W_OK) != 0) {
      if (m_pf != nullptr) Close();
      return kConfigCannotOpen;
    }
    const std::string text = RewriteConfigText(content, section, name, value);
    const int rc = !exists || regular ? ReplaceFile(target, text, exists ? &st : nullptr)
                                      : WriteInPlace(target, text);
    if (rc == kConfigCannotOpen && m_pf != nullptr) Close();
    return rc;
  } catch (const std::bad_alloc&) {
    return kConfigNoMemory;
  }
}

int CConfigFile::WriteInt(const char* section, const char* name, int nValue) {
  char text[16];
  const std::to_chars_result r = std::to_chars(text, text + sizeof text - 1, nValue);
  *r.ptr = '\0';
  return WriteString(section, name, text);
}

int CConfigFile::WriteDouble(const char* section, const char* name, double dValue) {
  if (dValue == HUGE_VAL || std::isnan(dValue)) return WriteString(section, name, "NAN");
  // Fixed point, six decimals, "." whatever the locale; the largest double has 309 digits.
  char text[400];
  const std::to_chars_result r =
      std::to_chars(text, text + sizeof text - 1, dValue, std::chars_format::fixed, 6);
  *r.ptr = '\0';
  return WriteString(section, name, text);
}

int CConfigFile::WriteBool(const char* section, const char* name, bool bValue) {
  return WriteInt(section, name, bValue ? 1 : 0);
}
