// The support library's growable text and its text formatter.
//
// FormatText sizes its result from the format alone before it formats: every
// conversion gets a fixed allowance (317 for a floating-point number, 32 for an
// integer or a pointer, the text's length for a string, the width where it is
// larger). A result that does not fit the estimate is an internal failure and ends
// the process; a format with a conversion the formatter does not accept leaves an
// explanatory text in the target instead of a result.
#ifndef SPEKULOR_SUPPORT_STRINGUTIL_H
#define SPEKULOR_SUPPORT_STRINGUTIL_H

#include <cstdarg>
#include <cstddef>

namespace spekulor::support {

// One heap-allocated, zero-terminated text; the empty text after construction.
// Running out of memory is a library check failure (the process ends).
class TextBuffer {
 public:
  TextBuffer();
  ~TextBuffer();
  TextBuffer(const TextBuffer&) = delete;
  TextBuffer& operator=(const TextBuffer&) = delete;

  // Replaces the text with a copy of `text` (null counts as the empty text); `text`
  // may point into this buffer's own text.
  void Set(const char* text);
  void Append(const char* text);
  void AppendChar(char c);

  const char* Text() const { return m_psz; }
  std::size_t Length() const;

 private:
  char* m_psz;
};

// The size estimate of one format, as FormatText computes it.
struct FormatEstimate {
  bool accepted = true;   // false: the walk stopped at a conversion it does not accept
  char offending = '\0';  // the character it stopped at; '\0' when the format ended inside a conversion
  std::size_t size = 0;   // the estimate in bytes, terminator included (when accepted)
};

// Walks `format`, taking from `args` the arguments its conversions name (only text
// lengths matter), and adds up the estimate:
//   ordinary character 1, "%%" 1; a conversion counts 1, plus 2 per "#" flag and
//   1 per "-", "+" or blank flag, plus its letter's allowance with width w and
//   precision p: c/C sets the count to 2 + max(w, 1); e E f g G max(w, 317) + p;
//   d i o u x X and p max(w, 32); s max(w, length) + p, or 6 in all for a null
//   pointer; n nothing; a "%" after flags or width w.
// Any other letter, a "*" or the end of the format inside a conversion stops the walk.
// `args` itself is left untouched (the walk works on a copy).
FormatEstimate EstimateFormat(const char* format, va_list args);

// The text FormatText leaves in its target when the walk stops.
constexpr const char kBadFormatPrefix[] = "Fehlerhaftes Zeichen im Format-String: ";

// Replaces the target's text with the printf-formatted text. When the format holds
// a conversion that is not accepted, the target holds kBadFormatPrefix followed by
// the offending character instead (the prefix alone when the format ends inside a
// conversion) and nothing is formatted. When the result would not fit the estimate,
// the format and "thelen < nMaxLen: <length> <> <estimate>" go to the debug channel
// and the process ends with exit status 1. No memory for the result buffer fails
// the library check "px" in module StringUtil.
void FormatText(TextBuffer& target, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
void FormatTextV(TextBuffer& target, const char* format, va_list args);

}  // namespace spekulor::support

#endif
