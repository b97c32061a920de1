// CTelescopeApp: the application object. One process-wide instance exists before
// main runs; its start operation registers the program with the support library,
// runs the main window modally and returns when the window is cancelled.
#ifndef SPEKULOR_APP_TELESCOPEAPP_H
#define SPEKULOR_APP_TELESCOPEAPP_H

#include <string>

class CTelescopeApp {
 public:
  CTelescopeApp() = default;
  ~CTelescopeApp();
  CTelescopeApp(const CTelescopeApp&) = delete;
  CTelescopeApp& operator=(const CTelescopeApp&) = delete;

  // Needs the QApplication. Registers "Spekulor" with InitAppCore, routes failed
  // assertions to the window's box, constructs and runs the main window and
  // returns false: the program has no event loop besides the window's.
  // `startupDesign`: a design file the window opens once it is up; empty for none.
  bool InitInstance(const char* startFileName, const std::string& startupDesign);
};

#endif
