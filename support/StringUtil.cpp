#include "support/StringUtil.h"

#include "support/AppCore.h"
#include "support/DecimalText.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace spekulor::support {

namespace {

constexpr const char* kStringUtilModule = "StringUtil";

// Large enough for any real format; keeps the sums below clear of overflow, with a
// 32-bit size_t (WebAssembly) too.
constexpr std::size_t kCountLimit =
    static_cast<std::size_t>(std::min<unsigned long long>(1ULL << 40, SIZE_MAX / 16));

std::size_t Capped(std::size_t n) { return n < kCountLimit ? n : kCountLimit; }

char* CopyText(const char* text, std::size_t length) {
  char* copy = static_cast<char*>(std::malloc(length + 1));
  LibraryCheck(kStringUtilModule, copy);
  std::memcpy(copy, text, length);
  copy[length] = '\0';
  return copy;
}


// A width or precision of a format: the decimal digits at `p`, capped; `p` moves past them.
std::size_t ReadFormatDigits(const char*& p) {
  std::size_t n = 0;
  while (IsDecimalDigit(*p)) {
    n = Capped(n * 10 + static_cast<std::size_t>(*p - '0'));
    ++p;
  }
  return n;
}

std::size_t Larger(std::size_t a, std::size_t b) { return a > b ? a : b; }

}  // namespace

TextBuffer::TextBuffer() : m_psz(CopyText("", 0)) {}

TextBuffer::~TextBuffer() { std::free(m_psz); }

void TextBuffer::Set(const char* text) {
  if (text == nullptr) text = "";
  // Copy before releasing: `text` may be this buffer's own text.
  char* copy = CopyText(text, std::strlen(text));
  std::free(m_psz);
  m_psz = copy;
}

void TextBuffer::Append(const char* text) {
  if (text == nullptr) return;
  const std::size_t oldLength = std::strlen(m_psz);
  const std::size_t addLength = std::strlen(text);
  char* grown = static_cast<char*>(std::malloc(oldLength + addLength + 1));
  LibraryCheck(kStringUtilModule, grown);
  std::memcpy(grown, m_psz, oldLength);
  std::memcpy(grown + oldLength, text, addLength);
  grown[oldLength + addLength] = '\0';
  std::free(m_psz);
  m_psz = grown;
}

void TextBuffer::AppendChar(char c) {
  const char one[2] = {c, '\0'};
  Append(one);
}

std::size_t TextBuffer::Length() const { return std::strlen(m_psz); }

FormatEstimate EstimateFormat(const char* format, va_list args) {
  FormatEstimate result;
  va_list walk;
  va_copy(walk, args);
  std::size_t total = 0;
  const char* p = format;
  while (*p != '\0') {
    if (*p != '%') {
      ++total;
      ++p;
      continue;
    }
    if (p[1] == '%') {
      ++total;
      p += 2;
      continue;
    }
    ++p;  // past the percent sign
    std::size_t count = 1;
    for (;; ++p) {
      if (*p == '#') {
        count += 2;
      } else if (*p == '-' || *p == '+' || *p == ' ') {
        count += 1;
      } else {
        break;
      }
    }
    const std::size_t width = ReadFormatDigits(p);
    std::size_t precision = 0;
    if (*p == '.') {
      ++p;
      precision = ReadFormatDigits(p);
    }
    bool isLong = false;
    if (*p == 'h') {
      ++p;
    } else if (*p == 'l') {
      isLong = true;
      ++p;
    }
    switch (*p) {
      case 'c':
      case 'C':
        (void)va_arg(walk, int);
        count = 2 + Larger(width, 1);
        break;
      case 'e':
      case 'E':
      case 'f':
      case 'g':
      case 'G':
        (void)va_arg(walk, double);
        count += Larger(width, 317) + precision;
        break;
      case 'd':
      case 'i':
      case 'o':
      case 'u':
      case 'x':
      case 'X':
        if (isLong) {
          (void)va_arg(walk, long);
        } else {
          (void)va_arg(walk, int);
        }
        count += Larger(width, 32);
        break;
      case 'p':
        (void)va_arg(walk, void*);
        count += Larger(width, 32);
        break;
      case 's': {
        const char* text = va_arg(walk, const char*);
        if (text == nullptr) {
          count = 6;
        } else {
          count += Larger(width, std::strlen(text)) + precision;
        }
        break;
      }
      case 'n':
        (void)va_arg(walk, void*);
        break;
      case '%':
        count += width;
        break;
      default:
        // Unknown letters (also "a" and "r"), a star and the end of the format.
        result.accepted = false;
        result.offending = *p;
        va_end(walk);
        return result;
    }
    ++p;
    total = Capped(total + Capped(count));
  }
  va_end(walk);
  result.size = total + 1;
  return result;
}

void FormatTextV(TextBuffer& target, const char* format, va_list args) {
  LibraryCheck(kStringUtilModule, format);
  const FormatEstimate estimate = EstimateFormat(format, args);
  if (!estimate.accepted) {
    target.Set(kBadFormatPrefix);
    if (estimate.offending != '\0') target.AppendChar(estimate.offending);
    return;
  }

  char* px = static_cast<char*>(std::malloc(estimate.size));
  LibraryCheck(kStringUtilModule, px);
  const int thelen = std::vsnprintf(px, estimate.size, format, args);
  if (thelen < 0) {
    // The runtime could not format at all (for example a wide character it cannot convert).
    std::free(px);
    LibraryCheck(kStringUtilModule, thelen >= 0);
  }
  if (static_cast<std::size_t>(thelen) >= estimate.size) {
    // The estimate is too small: an internal failure of the caller's format.
    std::free(px);
    DebugOut(format);
    char line[96];
    const long long nMaxLen = static_cast<long long>(estimate.size);
    std::snprintf(line, sizeof line, "thelen < nMaxLen: %d <> %lld", thelen, nMaxLen);
    DebugOut(line);
    std::exit(1);
  }
  target.Set(px);
  std::free(px);
}

void FormatText(TextBuffer& target, const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatTextV(target, format, args);
  va_end(args);
}

}  // namespace spekulor::support
