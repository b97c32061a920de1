#include "files/DesignFile.h"

#include <cerrno>
#include <cstdio>
#include <new>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/ConfigFile.h"
#include "support/DecimalText.h"
#include "calc/Inputs.h"
#include "support/NumericLocale.h"

using namespace spekulor::support;
using namespace spekulor::calc;

namespace spekulor::files {

const char kDesignSection[] = "Optics";

using F = DesignFields;
using I = DesignInput;

#define SPEKULOR_NOT_STORABLE(field) \
  "A design file cannot hold the \"" field "\" as it is: please give it with at most six decimals."

const DesignFileEntry kDesignFileEntries[kDesignFileEntryCount] = {
    {"Unit", &F::m_nUnits, 1, nullptr, nullptr, 0, nullptr},
    {"Type", &F::m_nType, 2, nullptr, nullptr, 0, nullptr},
    {"Diameter", nullptr, 0, &F::m_strPriDia, &I::PriDia, 2,
     SPEKULOR_NOT_STORABLE("primary mirror diameter")},
    {"Primary Focal Length", nullptr, 0, &F::m_strPriFoc, &I::PriFoc, 2,
     SPEKULOR_NOT_STORABLE("primary mirror focal length")},
    {"Field", nullptr, 0, &F::m_strField, &I::FieldAng, 2,
     SPEKULOR_NOT_STORABLE("fully illuminated field")},
    {"System Focal Length", nullptr, 0, &F::m_strSysFoc, &I::SysFoc, 2,
     SPEKULOR_NOT_STORABLE("system focal length")},
    {"Back Focal Length", nullptr, 0, &F::m_strBackFocLen, &I::BackFocLen, 2,
     SPEKULOR_NOT_STORABLE("back focal length")},
    {"Secondary From System Focus", nullptr, 0, &F::m_strSecSysDist, &I::SecSysFocDist, 2,
     SPEKULOR_NOT_STORABLE("distance secondary from system focus")},
    {"Secondary From Prime Focus", nullptr, 0, &F::m_strSecPriDist, &I::SecPriFocDist, 2,
     SPEKULOR_NOT_STORABLE("distance secondary from prime focus")},
    {"Secondary ROC", nullptr, 0, &F::m_strSecRadCur, &I::SecRadCur, 4,
     SPEKULOR_NOT_STORABLE("radius of curvature of secondary mirror")},
    {"Primary CC", nullptr, 0, &F::m_strPriCC, &I::PriConic, 4,
     SPEKULOR_NOT_STORABLE("primary mirror conic constant")},
    {"Secondary CC", nullptr, 0, &F::m_strSecCC, &I::SecConic, 4,
     SPEKULOR_NOT_STORABLE("secondary mirror conic constant")},
};

#undef SPEKULOR_NOT_STORABLE

namespace {

bool PathFitsStore(const std::string& path) {
  return path.size() <= kMaxDesignPathLength && path.find('\0') == std::string::npos;
}

// Reads the file at `path` whole into `content` through one descriptor: a regular
// file of at most kMaxDesignFileBytes, its size checked before a byte is read (and
// again while reading, for a file that grows). A pipe would block or give a part,
// a device might never end: neither is read.
DesignFileStatus ReadDesignBytes(const std::string& path, std::string& content,
                                 FileProblem& problem) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    problem = SystemFileProblem(errno);
    return DesignFileStatus::CannotRead;
  }
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    problem = SystemFileProblem(errno);
    return DesignFileStatus::CannotRead;
  }
  if (S_ISDIR(st.st_mode)) {
    problem = SystemFileProblem(EISDIR);
    return DesignFileStatus::CannotRead;
  }
  if (!S_ISREG(st.st_mode)) {
    problem.kind = FileProblemKind::NotARegularFile;
    return DesignFileStatus::CannotRead;
  }
  if (st.st_size > kMaxDesignFileBytes) {
    problem.kind = FileProblemKind::TooLarge;
    return DesignFileStatus::TooLarge;
  }
  content.reserve(static_cast<size_t>(st.st_size));
  char chunk[16384];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      problem = SystemFileProblem(errno);
      return DesignFileStatus::CannotRead;
    }
    if (n == 0) return DesignFileStatus::Ok;
    if (content.size() + static_cast<size_t>(n) > static_cast<size_t>(kMaxDesignFileBytes)) {
      problem.kind = FileProblemKind::TooLarge;
      return DesignFileStatus::TooLarge;
    }
    content.append(chunk, static_cast<size_t>(n));
  }
}

// A design file is text with the section "Optics", as the store finds it.
bool IsDesignText(const ConfigText& text) {
  if (text.Text().empty() || text.Text().find('\0') != std::string::npos) return false;
  return text.FindSection(kDesignSection) == kConfigOk;
}

}  // namespace

bool DesignFileHolds(double value) {
  if (value == kNotGiven) return true;
  const std::string text = FormatConfigDouble(value);
  return text.size() <= kConfigTypedValueLength && ReadConfigDouble(text.c_str()) == value;
}

std::string FieldTextOf(double value, int minDecimals) {
  if (value == kNotGiven) return std::string();
  NumericLocaleScope numericLocale;
  std::string text;
  for (int decimals = minDecimals; decimals <= kDesignFileDecimals; ++decimals) {
    const int length = std::snprintf(nullptr, 0, "%.*f", decimals, value);
    if (length <= 0) return std::string();
    text.assign(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(&text[0], text.size(), "%.*f", decimals, value);
    text.pop_back();
    if (ReadDecimalPrefix(text.c_str()) == value) break;
  }
  return text;
}

std::string FormatDesignEntries(const DesignFields& fields) {
  std::string text;
  for (const DesignFileEntry& entry : kDesignFileEntries) {
    text += entry.name;
    text += '=';
    text += entry.index != nullptr ? std::to_string(fields.*entry.index) : fields.*entry.text;
    text += '\n';
  }
  return text;
}

DesignFileStatus LoadDesignFile(const std::string& path, DesignFields& fields,
                                FileProblem* problem) {
  FileProblem unused;
  FileProblem& why = problem != nullptr ? *problem : unused;
  why = FileProblem();
  if (!PathFitsStore(path)) {
    why = SystemFileProblem(ENAMETOOLONG);
    return DesignFileStatus::PathTooLong;
  }
  // No memory for the copy or a value ends the read with a reason, as any other
  // failure to read does.
  try {
    std::string content;
    const DesignFileStatus read = ReadDesignBytes(path, content, why);
    if (read != DesignFileStatus::Ok) return read;
    const ConfigText text(std::move(content));
    if (!IsDesignText(text)) {
      why.kind = FileProblemKind::NotADesignFile;
      return DesignFileStatus::NotADesignFile;
    }

    DesignFields loaded = fields;
    double values[kDesignFileEntryCount] = {};
    for (int i = 0; i < kDesignFileEntryCount; ++i) {
      const DesignFileEntry& entry = kDesignFileEntries[i];
      // The getters store their default on any failure; only a want of memory is
      // more than a missing or unreadable entry.
      const int rc =
          entry.index != nullptr
              ? text.GetInt(kDesignSection, entry.name, &(loaded.*entry.index), entry.defaultIndex)
              : text.GetDouble(kDesignSection, entry.name, &values[i], 0.0);
      if (rc == kConfigNoMemory) throw std::bad_alloc();
    }
    for (int i = 0; i < kDesignFileEntryCount; ++i) {
      const DesignFileEntry& entry = kDesignFileEntries[i];
      if (entry.text != nullptr) loaded.*entry.text = FieldTextOf(values[i], entry.openDecimals);
    }
    fields = loaded;
    return DesignFileStatus::Ok;
  } catch (const std::bad_alloc&) {
    why = SystemFileProblem(ENOMEM);
    return DesignFileStatus::CannotRead;
  }
}

DesignFileStatus SaveDesignFile(const std::string& path, const DesignFields& fields,
                                const DesignFileEntry** refused, FileProblem* problem) {
  FileProblem unused;
  FileProblem& why = problem != nullptr ? *problem : unused;
  why = FileProblem();
  if (!PathFitsStore(path)) {
    why = SystemFileProblem(ENAMETOOLONG);
    return DesignFileStatus::PathTooLong;
  }
  const ReadInput read = ReadDesignInput(fields);

  std::vector<std::string> texts;
  for (const DesignFileEntry& entry : kDesignFileEntries) {
    if (entry.index != nullptr) {
      texts.push_back(FormatConfigInt(fields.*entry.index));
      continue;
    }
    const double value = read.input.*entry.value;
    if (!DesignFileHolds(value)) {
      if (refused != nullptr) *refused = &entry;
      return DesignFileStatus::ValueNotStorable;
    }
    texts.push_back(FormatConfigDouble(value));
  }
  std::vector<ConfigEntryWrite> writes;
  for (int i = 0; i < kDesignFileEntryCount; ++i) {
    writes.push_back({kDesignFileEntries[i].name, texts[static_cast<size_t>(i)].c_str()});
  }
  // Save as adds its entries to any text file, but a file Open would refuse as too
  // large or as binary is no file to add them to: it stays as it is. (A path that
  // names no regular file is the store's to write or refuse.)
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
    try {
      std::string content;
      const DesignFileStatus existing = ReadDesignBytes(path, content, why);
      if (existing == DesignFileStatus::TooLarge) return existing;
      if (existing != DesignFileStatus::Ok) return DesignFileStatus::WriteFailed;
      if (content.find('\0') != std::string::npos) {
        why.kind = FileProblemKind::NotADesignFile;
        return DesignFileStatus::NotADesignFile;
      }
    } catch (const std::bad_alloc&) {
      why = SystemFileProblem(ENOMEM);
      return DesignFileStatus::WriteFailed;
    }
  }
  CConfigFile file(path.c_str());
  if (file.WriteEntries(kDesignSection, writes) == kConfigOk) return DesignFileStatus::Ok;
  why = SystemFileProblem(file.SystemError() != 0 ? file.SystemError() : EIO);
  return DesignFileStatus::WriteFailed;
}

}  // namespace spekulor::files
