// Design files: the window's twelve values in the section "Optics" of a file of the
// configuration file store, as File Open reads them and File Save as writes them.
#ifndef SPEKULOR_FILES_DESIGNFILE_H
#define SPEKULOR_FILES_DESIGNFILE_H

#include <string>

#include "calc/DesignInput.h"
#include "files/FileMessages.h"

namespace spekulor::files {

extern const char kDesignSection[];  // "Optics"

// One entry of a design file. The two radio indexes are stored as written by
// WriteInt; the ten fields as their values (WriteDouble, "NAN" for an empty field)
// and shown on Open by FieldTextOf with at least `openDecimals` decimals.
struct DesignFileEntry {
  const char* name;
  int calc::DesignFields::*index;           // the radio entries; null for the fields
  int defaultIndex;                   // what a missing radio entry reads as
  std::string calc::DesignFields::*text;    // the field entries; null for the radios
  double calc::DesignInput::*value;         // the field's value as a calculation reads it
  int openDecimals;                   // 2, or 4 for the radius and the conics
  // Save as's refusal of a value the file cannot hold, naming the field; null for
  // the radios, which always fit.
  const char* notStorableMessage;
};

// The twelve entries in the order Open reads them and Save as writes them.
constexpr int kDesignFileEntryCount = 12;
extern const DesignFileEntry kDesignFileEntries[kDesignFileEntryCount];

// The store takes paths of at most this many characters.
constexpr size_t kMaxDesignPathLength = 1023;
// A design file holds its numbers with six decimals.
constexpr int kDesignFileDecimals = 6;
// Design files are a few hundred bytes: a larger file than this is no design file,
// and it is refused before a byte of it is read.
constexpr long long kMaxDesignFileBytes = 1 << 20;

enum class DesignFileStatus {
  Ok,
  PathTooLong,     // longer than kMaxDesignPathLength (or holding a NUL); nothing touched
  CannotRead,      // missing, not a regular file, unreadable, or no memory to read it;
                   // nothing changed
  TooLarge,        // larger than kMaxDesignFileBytes: Open reads none of it, Save as
                   // writes nothing
  WriteFailed,     // the store could not replace the file; it is left as it was
  NotADesignFile,  // Open: empty, holding NUL bytes, or without a section "Optics";
                   // Save as: an existing file holding NUL bytes, which Open would
                   // refuse; nothing changed
  ValueNotStorable,  // Save as: a field's value would not come back from the file
                     // (see DesignFileHolds); nothing written
};

// True when Save as can store `value` (a field's value as a calculation reads it)
// so that Open gives it back exactly: the not-given value, or a value whose
// six-decimal text reads back equal and is short enough for the store's getters.
bool DesignFileHolds(double value);

// The text a field shows for a stored value: empty for the not-given value,
// otherwise the value with the fewest decimals, from `minDecimals` to six, whose
// text reads back as the value ("." as the decimal point); six when none does.
std::string FieldTextOf(double value, int minDecimals);

// File Open: the twelve values of the file at `path` as the window shows them. An
// entry that is missing or cannot be read gets the store's default (1 for Unit, 2
// for Type, 0.0 shown as "0.00" or "0.0000" for a field). The file is read once,
// through one descriptor, and every entry is taken from that copy with the store's
// reading rules (ConfigText), so a file replaced meanwhile gives its old or its new
// values, never a mix. `fields` is changed only when the status is Ok; otherwise
// `problem`, when not null, says why.
DesignFileStatus LoadDesignFile(const std::string& path, calc::DesignFields& fields,
                                FileProblem* problem = nullptr);

// The twelve values as `spekulor-cli show` prints them: a "Name=value" line per entry,
// in file order, each ended by LF; the radios as their indexes, the fields as their texts.
std::string FormatDesignEntries(const calc::DesignFields& fields);

// File Save as: the two radio indexes as they stand (-1 for none checked) and the
// values of the ten fields as a calculation reads them, set in the file at `path`,
// whose other lines stay, by one replacement of the file: on any failure the file
// is left byte for byte as it was. A field whose value the file cannot hold stops
// the save before anything is written with ValueNotStorable, and its entry goes to
// `refused` when that is not null. An existing file that Open would refuse as too
// large or as binary (NUL bytes) is not written. On a failure `problem`, when not
// null, says why.
DesignFileStatus SaveDesignFile(const std::string& path, const calc::DesignFields& fields,
                                const DesignFileEntry** refused = nullptr,
                                FileProblem* problem = nullptr);

}  // namespace spekulor::files

#endif
