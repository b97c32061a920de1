// Helpers for the design-file and lens-export tests: the shared file helpers and
// the golden files of tests/files/golden.
#ifndef SPEKULOR_TESTS_FILES_FILETESTKIT_H
#define SPEKULOR_TESTS_FILES_FILETESTKIT_H

#include <string>

#include "TestFiles.h"

// A file of tests/files/golden.
std::string Golden(const std::string& name);

#endif
