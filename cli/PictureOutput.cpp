#include "cli/PictureOutput.h"

#include "support/Windows1252.h"
#include "drawing/SvgWriter.h"

using namespace spekulor::support;
using namespace spekulor::drawing;

namespace spekulor::cli {

void AddPicture(CommandOutput& output, const std::string& path,
                const std::function<Drawing()>& draw) {
  if (!path.empty()) output.files.push_back({path, WriteSvg(draw())});
}

CommandOutput PrintFigures(bool machine, const std::function<std::string()>& machineText,
                           const std::function<std::string()>& table) {
  CommandOutput output;
  output.text = machine ? machineText() : Windows1252ToUtf8(table());
  return output;
}

}  // namespace spekulor::cli
