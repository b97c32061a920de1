#include "files/FileMessages.h"

#include <cstdio>
#include <cstring>

#include <locale.h>

#include "files/DesignFile.h"

namespace spekulor::files {

FileProblem SystemFileProblem(int error) {
  FileProblem problem;
  if (error != 0) {
    problem.kind = FileProblemKind::System;
    problem.error = error;
  }
  return problem;
}

namespace {

// The system's text for an errno value in the "C" locale: the program's texts are
// English Windows-1252, and a translated text could hold bytes of another encoding.
std::string SystemReason(int error) {
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  if (cLocale != static_cast<locale_t>(nullptr)) return strerror_l(error, cLocale);
  char text[32];
  std::snprintf(text, sizeof text, "system error %d", error);
  return text;
}

}  // namespace

std::string DescribeFileProblem(const FileProblem& problem) {
  switch (problem.kind) {
    case FileProblemKind::None:
      return std::string();
    case FileProblemKind::System:
      return SystemReason(problem.error);
    case FileProblemKind::NotARegularFile:
      return "not a regular file";
    case FileProblemKind::TooLarge:
      return "larger than " + std::to_string(kMaxDesignFileBytes >> 20) + " MiB";
    case FileProblemKind::NotADesignFile:
      return "not a design file";
  }
  return std::string();
}

std::string FileProblemDetail(const std::string& path, const FileProblem& problem) {
  return (path.empty() ? std::string("\"\"") : path) + ": " + DescribeFileProblem(problem);
}

}  // namespace spekulor::files
