// Routes the support library's failed application assertions and its fatal
// application exit to a DialogPlatform's boxes for as long as the object lives,
// and restores the previous handlers afterwards. The start operation holds one for
// the whole run of the window.
#ifndef SPEKULOR_DIALOG_ASSERTIONBOX_H
#define SPEKULOR_DIALOG_ASSERTIONBOX_H

#include "support/AppCore.h"
#include "dialog/DialogPlatform.h"

namespace spekulor::dialog {

class AssertionBoxRouting {
 public:
  explicit AssertionBoxRouting(DialogPlatform& platform);
  ~AssertionBoxRouting();
  AssertionBoxRouting(const AssertionBoxRouting&) = delete;
  AssertionBoxRouting& operator=(const AssertionBoxRouting&) = delete;

 private:
  DialogPlatform* m_previousPlatform;
  support::AssertQuestion m_previousQuestion;
  support::FatalExit m_previousFatalExit;
};

}  // namespace spekulor::dialog

#endif
