#include "support/TerminalText.h"

#include "support/Windows1252.h"

namespace spekulor::support {

std::string ToTerminalText(const std::string& windowsText) {
  std::string text;
  text.reserve(windowsText.size() + 1);
  for (size_t i = 0; i < windowsText.size(); ++i) {
    if (windowsText[i] == '\r' && i + 1 < windowsText.size() && windowsText[i + 1] == '\n') continue;
    text += windowsText[i];
  }
  text = Windows1252ToUtf8(text);
  if (text.empty() || text.back() != '\n') text += '\n';
  return text;
}

}  // namespace spekulor::support
