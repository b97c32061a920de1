// Helpers for the design-file and lens-export tests: the shared file helpers and
// the golden files of tests/files/golden.
#ifndef SPEKULOR_TESTS_FILES_FILETESTKIT_H
#define SPEKULOR_TESTS_FILES_FILETESTKIT_H

#include <string>

#include "TestFiles.h"

// A file of tests/files/golden.
std::string Golden(const std::string& name);

// With SPEKULOR_UPDATE_GOLDEN set in the environment (the switch of the picture
// goldens), writes `bytes` as the golden file `name` and returns true; otherwise
// leaves it alone and returns false. Review the rewritten files before committing.
bool UpdateGolden(const std::string& name, const std::string& bytes);

#endif
