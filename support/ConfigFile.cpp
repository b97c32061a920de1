#include "support/ConfigFile.h"

#include "support/AppCore.h"
#include "support/DecimalChars.h"
#include "support/DecimalText.h"
#include "support/FileReplace.h"
#include "support/StringUtil.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace spekulor::support {

namespace {

constexpr const char* kConfigFileModule = "ConfigFile";

// The raw value of an entry is never longer than the examined text of its line.
constexpr std::size_t kRawValueSize = kConfigExaminedLength + 1;
// The longest section name GetSectionNames copies.
constexpr std::size_t kListNameLimit = 255;
// Size of the list buffer behind the TextBuffer list variants.
constexpr int kListBufferSize = 1024;
// Value length of the TextBuffer variants of GetString.
constexpr int kTextValueSize = 2047;

bool IsSpaceOrTab(char c) { return c == ' ' || c == '\t'; }
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
  for (; IsDecimalDigit(*p); ++p) {
    const unsigned digit = static_cast<unsigned>(*p - '0');
    value = value > (limit - digit) / 10 ? limit : value * 10 + digit;
  }
  if (!negative) return static_cast<long>(value);
  return value > static_cast<unsigned long long>(LONG_MAX) ? LONG_MIN : -static_cast<long>(value);
}

int ClampToInt(long value) {
  return static_cast<int>(std::min<long>(std::max<long>(value, INT_MIN), INT_MAX));
}

bool ReadBool(const char* text) {
  if (std::strcmp(text, "true") == 0 || std::strcmp(text, "yes") == 0) return true;
  if (std::strcmp(text, "false") == 0 || std::strcmp(text, "no") == 0) return false;
  return ReadLong(text) != 0;
}

// Removes line-end characters at the end of `psz`: a value that opens a quote and
// never closes it runs to the end of its line, but not into the line end.
void DropLineEnd(char* psz) {
  std::size_t n = std::strlen(psz);
  while (n > 0 && IsLineEnd(psz[n - 1])) psz[--n] = '\0';
}

// The one helper behind the typed getters (of CConfigFile and of ConfigText): the
// value through GetString, converted, or the default on any failure.
template <typename Store, typename T, typename Convert>
int GetConverted(Store& file, const char* section, const char* name, T* pValue,
                 T fallback, Convert convert) {
  LibraryCheck(kConfigFileModule, pValue);
  char value[kConfigTypedValueLength + 1];
  const int rc = file.GetString(section, name, value, sizeof value);
  *pValue = rc == kConfigOk ? convert(value) : fallback;
  return rc;
}

// ---- The lookups on a text, shared by CConfigFile and ConfigText ----

// The next line a lookup examines; a line after a lone CR is passed over.
bool NextExaminedLine(ConfigLineReader& lines, ConfigLine& line) {
  while (lines.Next(line)) {
    if (!line.afterLoneCr) return true;
  }
  return false;
}

// Reads on to the line after the header of `section`: 0 or 406.
int FindSectionIn(ConfigLineReader& lines, const char* section) {
  ConfigLine line;
  while (NextExaminedLine(lines, line)) {
    if (IsSectionHeader(line.examined, section)) return kConfigOk;
  }
  return kConfigSectionNotFound;
}

// Reads on for the entry `name` and copies its raw value into `xvalue`: 0, 401 or 402.
int FindNameIn(ConfigLineReader& lines, const char* name, char* xvalue) {
  ConfigLine line;
  while (NextExaminedLine(lines, line)) {
    if (IsHeaderLine(line.examined)) return kConfigNextSection;
    const char* raw = EntryValue(line.examined, name);
    if (raw != nullptr) {
      std::memcpy(xvalue, raw, std::strlen(raw) + 1);
      return kConfigOk;
    }
  }
  return kConfigEndOfFile;
}

// GetString's last step: the raw value found, without its line end, trimmed and
// unquoted, into `dest` (len chars): 0, 71 or 404.
int CopyFoundValue(char* raw, char* dest, int len) {
  DropLineEnd(raw);
  if (std::strlen(raw) > static_cast<std::size_t>(len - 1)) return kConfigValueTooLong;
  char* value = TrimBlanks(raw);
  const std::size_t n = std::strlen(value);
  if (n > 0 && value[0] == '"') {
    if (n == 1) {
      value[0] = '\0';
    } else if (value[n - 1] != '"') {
      return kConfigOpenQuote;
    } else {
      value[n - 1] = '\0';
      ++value;
    }
  }
  std::memcpy(dest, value, std::strlen(value) + 1);
  return kConfigOk;
}

// ---- Reading files ----

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

 private:
  int m_fd;
};

// Reads the whole of an existing regular file into `content`; `error` receives the
// errno value of a failure (EIO for a file that changed size while it was read).
int ReadWholeFile(const char* path, std::string& content, int& error) {
  error = 0;
  FileDescriptor fd(::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.Get() < 0) {
    error = errno;
    return kConfigCannotRead;
  }
  struct stat st;
  if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) {
    error = errno != 0 ? errno : EINVAL;
    return kConfigCannotRead;
  }
  content.resize(static_cast<std::size_t>(st.st_size));
  std::size_t got = 0;
  while (got < content.size()) {
    const ssize_t n = ::read(fd.Get(), &content[got], content.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error = errno;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  if (got < content.size()) {
    if (error == 0) error = EIO;
    return kConfigCannotRead;
  }
  // A file that grew while it was read cannot be copied faithfully.
  char extra;
  ssize_t more;
  do {
    more = ::read(fd.Get(), &extra, 1);
  } while (more < 0 && errno == EINTR);
  if (more != 0) {
    error = more < 0 ? errno : EIO;
    return kConfigCannotRead;
  }
  return kConfigOk;
}

}  // namespace

// ---------------------------------------------------------------------------
// Helpers

char* SkipBlanks(char* psz) {
  while (IsSpaceOrTab(*psz)) ++psz;
  return psz;
}

const char* SkipBlanks(const char* psz) {
  while (IsSpaceOrTab(*psz)) ++psz;
  return psz;
}

char* TrimBlanks(char* psz) {
  std::size_t n = std::strlen(psz);
  while (n > 0 && IsSpaceOrTab(psz[n - 1])) psz[--n] = '\0';
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
  if (*rest != '\0' && !IsSpaceOrTab(*rest) && *rest != '=') return nullptr;
  rest = SkipBlanks(rest);
  if (*rest == '\0') return rest;
  if (*rest != '=') return nullptr;
  return SkipBlanks(rest + 1);
}

bool ConfigLineReader::Next(ConfigLine& line) {
  if (m_rest.empty()) return false;
  std::size_t length = 0;
  while (length < m_rest.size() && !IsLineEnd(m_rest[length])) ++length;
  std::size_t end = length;
  while (end < m_rest.size() && IsLineEnd(m_rest[end])) ++end;

  line.bytes = m_rest.substr(0, length);
  line.afterLoneCr = m_afterLoneCr;
  const std::size_t examined = std::min(length, kConfigExaminedLength);
  std::memcpy(line.examined, line.bytes.data(), examined);
  std::size_t n = examined;
  if (end > length && length < kConfigExaminedLength) line.examined[n++] = '\n';
  line.examined[n] = '\0';

  m_afterLoneCr = end > length && m_rest[end - 1] == '\r';
  m_rest.remove_prefix(end);
  return true;
}

std::string RewriteConfigText(std::string_view text, const char* section, const char* name,
                              const char* value) {
  std::string out;
  out.reserve(text.size() + std::strlen(name) + (value != nullptr ? std::strlen(value) : 0) +
              (section != nullptr ? std::strlen(section) : 0) + 16);
  ConfigLineReader lines(text);
  ConfigLine line;

  auto copyLine = [&out, &line]() {
    out += line.bytes;
    out += "\r\n";
  };
  auto writeEntry = [&]() {
    if (value == nullptr) return;
    out += name;
    out += '=';
    out += value;
    out += "\r\n";
  };
  auto copyRest = [&]() {
    while (lines.Next(line)) copyLine();
  };

  if (section != nullptr) {
    bool found = false;
    while (!found && lines.Next(line)) {
      copyLine();
      found = IsSectionHeader(line.examined, section);
    }
    if (!found) {
      out += '[';
      out += section;
      out += "]\r\n";
      writeEntry();
      return out;
    }
  }

  while (lines.Next(line)) {
    if (IsHeaderLine(line.examined)) {
      writeEntry();
      copyLine();
      copyRest();
      return out;
    }
    if (EntryValue(line.examined, name) != nullptr) {
      writeEntry();  // in place of the old line
      copyRest();
      return out;
    }
    copyLine();
  }
  writeEntry();
  return out;
}

std::string FormatConfigInt(int value) {
  char text[16];
  const std::to_chars_result r = std::to_chars(text, text + sizeof text, value);
  return std::string(text, r.ptr);
}

std::string FormatConfigDouble(double value) {
  if (value == HUGE_VAL || std::isnan(value)) return "NAN";
  // Fixed point, six decimals, "." whatever the locale.
  return FixedDecimal(value, 6);
}

double ReadConfigDouble(const char* text) {
  // Hexadecimal forms and the words for infinity or NaN are not numbers here.
  if (std::strcmp(text, "NAN") == 0) return HUGE_VAL;
  return ReadDecimalPrefix(SkipBlanks(text));
}

// ---------------------------------------------------------------------------
// CConfigFile

CConfigFile::CConfigFile(const char* psz) : m_szFilename{}, m_pf(nullptr) {
  LibraryCheck(kConfigFileModule, psz);
  LibraryCheck(kConfigFileModule, strlen(psz) < sizeof(m_szFilename));
  std::memcpy(m_szFilename, psz, std::strlen(psz) + 1);
}

CConfigFile::~CConfigFile() { LibraryCheck(kConfigFileModule, m_pf == NULL); }

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
  // The lookup runs on the text as it stands now; what cannot be read ends it.
  try {
    m_text.clear();
    char chunk[4096];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, m_pf)) > 0) m_text.append(chunk, n);
  } catch (const std::bad_alloc&) {
    Close();
    return kConfigNoMemory;
  }
  m_lines = ConfigLineReader(m_text);
  return kConfigOk;
}

int CConfigFile::Close() {
  if (m_pf == nullptr) return kConfigNotOpen;
  std::fclose(m_pf);
  m_pf = nullptr;
  m_lines = ConfigLineReader();
  std::string().swap(m_text);
  return kConfigOk;
}

bool CConfigFile::NextLookupLine(ConfigLine& line) { return NextExaminedLine(m_lines, line); }

int CConfigFile::FindSection(const char* section) {
  if (section == nullptr) return kConfigOk;
  LibraryCheck(kConfigFileModule, m_pf);
  LibraryCheck(kConfigFileModule, strlen(section) < 2048);
  return FindSectionIn(m_lines, section);
}

int CConfigFile::FindName(const char* name, char* xvalue) {
  LibraryCheck(kConfigFileModule, m_pf);
  LibraryCheck(kConfigFileModule, name);
  LibraryCheck(kConfigFileModule, strlen(name) < 2048);
  LibraryCheck(kConfigFileModule, xvalue);
  return FindNameIn(m_lines, name, xvalue);
}

int CConfigFile::OpenAtSection(const char* section) {
  int rc = Open();
  if (rc != kConfigOk) return rc;
  rc = FindSection(section);
  if (rc != kConfigOk) Close();
  return rc;
}

int CConfigFile::GetString(const char* section, const char* name, char* dest, int len) {
  LibraryCheck(kConfigFileModule, len < 2048);
  LibraryCheck(kConfigFileModule, dest);
  LibraryCheck(kConfigFileModule, len > 0);
  dest[0] = '\0';
  int rc = OpenAtSection(section);
  if (rc != kConfigOk) return rc;
  char* raw = static_cast<char*>(std::malloc(kRawValueSize));
  if (raw == nullptr) {
    Close();
    return kConfigNoMemory;
  }
  rc = FindName(name, raw);
  const int closed = Close();
  if (rc == kConfigOk) rc = closed;
  if (rc == kConfigOk) rc = CopyFoundValue(raw, dest, len);
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
  return GetConverted(*this, section, name, pValue, lDefault, ReadLong);
}

int CConfigFile::GetInt(const char* section, const char* name, int* pValue, int nDefault) {
  return GetConverted(*this, section, name, pValue, nDefault,
                      [](const char* text) { return ClampToInt(ReadLong(text)); });
}

int CConfigFile::GetDouble(const char* section, const char* name, double* pValue,
                           double dDefault) {
  return GetConverted(*this, section, name, pValue, dDefault, ReadConfigDouble);
}

int CConfigFile::GetChar(const char* section, const char* name, char* pValue, char cDefault) {
  return GetConverted(*this, section, name, pValue, cDefault,
                      [](const char* text) { return text[0]; });
}

int CConfigFile::GetBool(const char* section, const char* name, bool* pValue, bool bDefault) {
  return GetConverted(*this, section, name, pValue, bDefault, ReadBool);
}

int CConfigFile::GetSectionNames(char* dest, int size) {
  LibraryCheck(kConfigFileModule, dest);
  LibraryCheck(kConfigFileModule, size > 0);
  dest[0] = '\0';
  const int rc = Open();
  if (rc != kConfigOk) return rc;
  ConfigLine line;
  char name[kListNameLimit + 1];
  std::size_t used = 0;
  while (NextLookupLine(line)) {
    if (!IsHeaderLine(line.examined)) continue;
    const std::size_t length = CopyHeaderName(line.examined, name, kListNameLimit);
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
  LibraryCheck(kConfigFileModule, dest);
  LibraryCheck(kConfigFileModule, size > 0);
  dest[0] = '\0';
  int rc = OpenAtSection(section);
  if (rc != kConfigOk) return rc;
  ConfigLine line;
  std::size_t used = 0;
  while (rc == kConfigOk && NextLookupLine(line)) {
    char* p = SkipBlanks(line.examined);
    if (*p == '[') break;
    if (*p == '#') continue;
    char* equals = std::strchr(p, '=');
    if (equals == nullptr) continue;
    *equals = '\0';
    TrimBlanks(p);
    if (!AppendListName(dest, used, p, std::strlen(p), size)) rc = kConfigListTooLong;
  }
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
  LibraryCheck(kConfigFileModule, m_pf);
  LibraryCheck(kConfigFileModule, dest);
  LibraryCheck(kConfigFileModule, size > 0);
  dest[0] = '\0';
  ConfigLine line;
  while (NextLookupLine(line)) {
    if (IsHeaderLine(line.examined)) {
      CopyHeaderName(line.examined, dest, static_cast<std::size_t>(size - 1));
      return kConfigOk;
    }
  }
  return kConfigSectionNotFound;
}

int CConfigFile::WriteString(const char* section, const char* name, const char* value) {
  LibraryCheck(kConfigFileModule, name);
  return WriteEntries(section, {ConfigEntryWrite{name, value}});
}

int CConfigFile::WriteEntries(const char* section, const std::vector<ConfigEntryWrite>& writes) {
  // Every name is checked before the file is read or changed.
  if (section != nullptr) LibraryCheck(kConfigFileModule, strlen(section) < 2048);
  for (const ConfigEntryWrite& write : writes) {
    const char* name = write.name;
    LibraryCheck(kConfigFileModule, name);
    LibraryCheck(kConfigFileModule, strlen(name) < 2048);
  }
  m_systemError = 0;
  try {
    // Through a symbolic link the file it names is read, and replaced.
    struct stat st;
    const bool exists = ::stat(m_szFilename, &st) == 0;
    std::string text;
    if (!exists) {
      const char* program = GetProgramName();
      text = "# generated by ";
      text += program != nullptr ? program : "Toolkern";
      text += "\r\n";
    } else if (S_ISREG(st.st_mode)) {
      const int rc = ReadWholeFile(m_szFilename, text, m_systemError);
      if (rc != kConfigOk) return rc;
      // A file this user may not write (made read-only by its owner) is refused by
      // ReplaceFileContents, below, although its folder would let a new file take
      // its place.
    }
    for (const ConfigEntryWrite& write : writes) {
      text = RewriteConfigText(text, section, write.name, write.value);
    }
    FileReplaceStep failed = FileReplaceStep::None;
    m_systemError = ReplaceFileContents(m_szFilename, text, &failed);
    if (m_systemError == 0) return kConfigOk;
    if (failed == FileReplaceStep::Write) return kConfigWriteFailed;
    if (!exists) return kConfigCannotRead;
    if (m_pf != nullptr) Close();
    return kConfigCannotOpen;
  } catch (const std::bad_alloc&) {
    m_systemError = ENOMEM;
    return kConfigNoMemory;
  }
}

int CConfigFile::WriteInt(const char* section, const char* name, int nValue) {
  return WriteString(section, name, FormatConfigInt(nValue).c_str());
}

int CConfigFile::WriteDouble(const char* section, const char* name, double dValue) {
  return WriteString(section, name, FormatConfigDouble(dValue).c_str());
}

int CConfigFile::WriteBool(const char* section, const char* name, bool bValue) {
  return WriteInt(section, name, bValue ? 1 : 0);
}

// ---------------------------------------------------------------------------
// ConfigText: the same lookups on one text in memory

int ConfigText::FindSection(const char* section) const {
  if (section == nullptr) return kConfigOk;
  LibraryCheck(kConfigFileModule, strlen(section) < 2048);
  ConfigLineReader lines(m_text);
  return FindSectionIn(lines, section);
}

int ConfigText::GetString(const char* section, const char* name, char* dest, int len) const {
  LibraryCheck(kConfigFileModule, len < 2048);
  LibraryCheck(kConfigFileModule, dest);
  LibraryCheck(kConfigFileModule, len > 0);
  LibraryCheck(kConfigFileModule, name);
  LibraryCheck(kConfigFileModule, strlen(name) < 2048);
  dest[0] = '\0';
  ConfigLineReader lines(m_text);
  if (section != nullptr) {
    LibraryCheck(kConfigFileModule, strlen(section) < 2048);
    const int rc = FindSectionIn(lines, section);
    if (rc != kConfigOk) return rc;
  }
  char* raw = static_cast<char*>(std::malloc(kRawValueSize));
  if (raw == nullptr) return kConfigNoMemory;
  int rc = FindNameIn(lines, name, raw);
  if (rc == kConfigOk) rc = CopyFoundValue(raw, dest, len);
  std::free(raw);
  return rc;
}

int ConfigText::GetLong(const char* section, const char* name, long* pValue, long lDefault) const {
  return GetConverted(*this, section, name, pValue, lDefault, ReadLong);
}

int ConfigText::GetInt(const char* section, const char* name, int* pValue, int nDefault) const {
  return GetConverted(*this, section, name, pValue, nDefault,
                      [](const char* text) { return ClampToInt(ReadLong(text)); });
}

int ConfigText::GetDouble(const char* section, const char* name, double* pValue,
                          double dDefault) const {
  return GetConverted(*this, section, name, pValue, dDefault, ReadConfigDouble);
}

int ConfigText::GetChar(const char* section, const char* name, char* pValue, char cDefault) const {
  return GetConverted(*this, section, name, pValue, cDefault,
                      [](const char* text) { return text[0]; });
}

int ConfigText::GetBool(const char* section, const char* name, bool* pValue, bool bDefault) const {
  return GetConverted(*this, section, name, pValue, bDefault, ReadBool);
}

}  // namespace spekulor::support
