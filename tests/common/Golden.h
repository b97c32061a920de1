// Golden files: the checked-in expected bytes of every byte-exact output, in
// tests/<folder>/golden (and the store's baselines beside their inputs).
//
// Set SPEKULOR_UPDATE_GOLDEN=1 to rewrite them from the program instead of comparing;
// review the difference before committing it.
#ifndef SPEKULOR_TESTS_COMMON_GOLDEN_H
#define SPEKULOR_TESTS_COMMON_GOLDEN_H

#include <string>
#include <utility>
#include <vector>

// tests/<folder>/golden/<name> in the source tree.
std::string GoldenPath(const std::string& folder, const std::string& name);

// The bytes of tests/<folder>/golden/<name>; throws std::runtime_error when the file
// cannot be read, so a missing golden file fails its test.
std::string Golden(const std::string& folder, const std::string& name);

// True when SPEKULOR_UPDATE_GOLDEN=1 asks for the golden files to be rewritten.
bool UpdatingGoldens();

// Compares `actual` with the file at `path` byte for byte (or, when updating,
// writes it there first).
void ExpectMatchesFile(const std::string& path, const std::string& actual);

// Each of `expected`'s lines, by its index, is the same line of `lines`.
using LinesAt = std::vector<std::pair<size_t, std::string>>;
void ExpectLinesAt(const std::vector<std::string>& lines, const LinesAt& expected);

// ExpectMatchesFile on tests/<folder>/golden/<name>.
void ExpectGolden(const std::string& folder, const std::string& name, const std::string& actual);

#endif
