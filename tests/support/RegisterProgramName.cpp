// The configuration tests run as the application does: with the program name
// "Spekulor" registered, which new files carry in their first line.
#include "support/AppCore.h"

#include <gtest/gtest.h>

using namespace spekulor::support;

namespace {

class RegisterProgramName : public ::testing::Environment {
 public:
  void SetUp() override { InitAppCore("spekulor", "Spekulor"); }
};

const ::testing::Environment* const kRegisterProgramName =
    ::testing::AddGlobalTestEnvironment(new RegisterProgramName);

}  // namespace
