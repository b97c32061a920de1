#include "dialog/AssertionBox.h"

using namespace spekulor::support;

namespace spekulor::dialog {

namespace {

// The support library takes plain function pointers; they reach the platform here.
DialogPlatform* g_platform = nullptr;

AssertAnswer AskThroughPlatform(const char* reportText) {
  return g_platform->AskAssertion(reportText);
}

void ShowThroughPlatform(const char* text) { g_platform->ShowFatalExit(text); }

}  // namespace

AssertionBoxRouting::AssertionBoxRouting(DialogPlatform& platform)
    : m_previousPlatform(g_platform),
      m_previousQuestion(SetAssertQuestion(&AskThroughPlatform)),
      m_previousFatalExit(SetFatalExit(&ShowThroughPlatform)) {
  g_platform = &platform;
}

AssertionBoxRouting::~AssertionBoxRouting() {
  SetAssertQuestion(m_previousQuestion);
  SetFatalExit(m_previousFatalExit);
  g_platform = m_previousPlatform;
}

}  // namespace spekulor::dialog
