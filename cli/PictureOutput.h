// The picture files of the analysis commands: drawn only when a file was asked for.
#ifndef SPEKULOR_CLI_PICTUREOUTPUT_H
#define SPEKULOR_CLI_PICTUREOUTPUT_H

#include <functional>
#include <string>

#include "cli/CommandOutput.h"
#include "drawing/Drawing.h"

namespace spekulor::cli {

// Adds the file at `path`, `draw`'s drawing as SVG, to the output's files; with no
// path nothing is drawn.
void AddPicture(CommandOutput& output, const std::string& path,
                const std::function<drawing::Drawing()>& draw);

// The figures for standard output: `machineText` (JSON or CSV) as it is when `machine`,
// otherwise the table (Windows-1252) as UTF-8. Only the one asked for is formatted.
CommandOutput PrintFigures(bool machine, const std::function<std::string()>& machineText,
                           const std::function<std::string()>& table);

}  // namespace spekulor::cli

#endif
