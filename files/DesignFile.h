// Design files: the window's twelve values in the section "Optics" of a file of the
// configuration file store, as File Open reads them and File Save as writes them.
#ifndef SPEKULOR_FILES_DESIGNFILE_H
#define SPEKULOR_FILES_DESIGNFILE_H

#include <string>

#include "DesignInput.h"

extern const char kDesignSection[];  // "Optics"

// One entry of a design file. The two radio indexes are stored as written by
// WriteInt; the ten fields as their values (WriteDouble, "NAN" for an empty field)
// and shown on Open with `openFormat`.
struct DesignFileEntry {
  const char* name;
  int DesignFields::*index;           // the radio entries; null for the fields
  int defaultIndex;                   // what a missing radio entry reads as
  std::string DesignFields::*text;    // the field entries; null for the radios
  double DesignInput::*value;         // the field's value as a calculation reads it
  const char* openFormat;             // "%0.2f" or "%0.4f"
};

// The twelve entries in the order Open reads them and Save as writes them.
constexpr int kDesignFileEntryCount = 12;
extern const DesignFileEntry kDesignFileEntries[kDesignFileEntryCount];

// The store takes paths of at most this many characters.
constexpr size_t kMaxDesignPathLength = 1023;

enum class DesignFileStatus {
  Ok,
  PathTooLong,  // longer than kMaxDesignPathLength (or holding a NUL); nothing touched
  CannotRead,   // missing, not a regular file, or unreadable; nothing changed
  WriteFailed,  // a write of the store failed; the entries before it may be written
};

// The text a field shows for a stored value: empty for the not-given value,
// otherwise the value with `format` and "." as the decimal point.
std::string FieldTextOf(double value, const char* format);

// File Open: the twelve values of the file at `path` as the window shows them. An
// entry that is missing or cannot be read gets the store's default (1 for Unit, 2
// for Type, 0.0 shown as "0.00" or "0.0000" for a field). `fields` is changed only
// when the status is Ok.
DesignFileStatus LoadDesignFile(const std::string& path, DesignFields& fields);

// File Save as: the two radio indexes as they stand (-1 for none checked) and the
// values of the ten fields as a calculation reads them, written entry by entry into
// the file at `path`, whose other lines stay. Stops at the first write that fails.
DesignFileStatus SaveDesignFile(const std::string& path, const DesignFields& fields);

#endif
