// The program's Windows-1252, CR LF texts as a terminal or a web page shows them.
#ifndef SPEKULOR_SUPPORT_TERMINALTEXT_H
#define SPEKULOR_SUPPORT_TERMINALTEXT_H

#include <string>

namespace spekulor::support {

// The text as a terminal wants it: UTF-8, LF line ends, and a final line end.
std::string ToTerminalText(const std::string& windowsText);

}  // namespace spekulor::support

#endif
