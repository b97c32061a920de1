// The library core: program name registration and the library check. Nothing in
// this test program registers a name in its own process, so the unregistered state
// can be seen; everything that registers or ends the process runs in a child.
#include "support/AppCore.h"
#include "tests/common/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>

using namespace spekulor::support;

namespace {

TEST(ProgramName, NullBeforeRegistrationAndTheCopyAfterIt) {
  EXPECT_EQ(GetProgramName(), nullptr);
  const ChildResult child = RunInChild([] {
    char name[] = "Spekulor";
    if (InitAppCore("/usr/bin/spekulor", name) != 0) return 2;
    std::strcpy(name, "Changed!");  // the core keeps its own copy
    const char* registered = GetProgramName();
    return registered != nullptr && std::strcmp(registered, "Spekulor") == 0 ? 0 : 3;
  });
  EXPECT_EQ(child.exitStatus, 0);
  EXPECT_EQ(child.errorText, "");
}

TEST(ProgramName, NullArgumentsFailTheLibraryCheck) {
  const std::regex appLine("Assertation \\(app\\) failed File AppCore Line [0-9]+\n");
  const ChildResult noApp = RunInChild([] {
    InitAppCore("spekulor", nullptr);
    return 0;
  });
  EXPECT_EQ(noApp.exitStatus, 1);
  EXPECT_TRUE(std::regex_match(noApp.errorText, appLine)) << noApp.errorText;

  const std::regex argvLine("Assertation \\(argv0\\) failed File AppCore Line [0-9]+\n");
  const ChildResult noArgv = RunInChild([] {
    InitAppCore(nullptr, "Spekulor");
    return 0;
  });
  EXPECT_EQ(noArgv.exitStatus, 1);
  EXPECT_TRUE(std::regex_match(noArgv.errorText, argvLine)) << noArgv.errorText;
}

TEST(CheckFailed, WritesOneDebugLineAndExitsWithStatusOne) {
  const ChildResult child = RunInChild([] {
    CheckFailed("m_pf == NULL", "ConfigFile", 123);
    return 0;
  });
  EXPECT_EQ(child.exitStatus, 1);
  EXPECT_EQ(child.errorText, "Assertation (m_pf == NULL) failed File ConfigFile Line 123\n");
}

TEST(CheckFailed, RunsTheProcessExitHandlers) {
  // The process-wide objects are destroyed on the way out, unlike after Abort.
  const ChildResult child = RunInChild([] {
    std::atexit([] { DebugOut("exit handler ran"); });
    LibraryCheck("StringUtil", 1 + 1 == 3);
    return 0;
  });
  EXPECT_EQ(child.exitStatus, 1);
  const std::regex lines(
      "Assertation \\(1 \\+ 1 == 3\\) failed File StringUtil Line [0-9]+\nexit handler ran\n");
  EXPECT_TRUE(std::regex_match(child.errorText, lines)) << child.errorText;
}

TEST(CheckFailed, PassingCheckDoesNothing) {
  const ChildResult child = RunInChild([] {
    LibraryCheck("ConfigFile", std::strlen("abc") < 4);
    return 7;
  });
  EXPECT_EQ(child.exitStatus, 7);
  EXPECT_EQ(child.errorText, "");
}

}  // namespace
