// Conversion between the program's Windows-1252 texts and UTF-8, for the places
// where texts leave or enter the program (the terminal, the window toolkit).
#ifndef SPEKULOR_SUPPORT_WINDOWS1252_H
#define SPEKULOR_SUPPORT_WINDOWS1252_H

#include <string>

namespace spekulor::support {

// Unicode code point of a Windows-1252 byte. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value.
char32_t Windows1252ToCodePoint(unsigned char byte);

// Windows-1252 byte of a code point, or '?' when the code page has none.
char CodePointToWindows1252(char32_t codePoint);

// Windows-1252 text to UTF-8.
std::string Windows1252ToUtf8(const std::string& text);

// UTF-8 text to Windows-1252; characters the code page lacks, and malformed
// sequences, become '?'.
std::string Utf8ToWindows1252(const std::string& text);

}  // namespace spekulor::support

#endif
