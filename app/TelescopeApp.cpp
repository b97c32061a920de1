#include "TelescopeApp.h"

#include "AppCore.h"
#include "AssertionBox.h"
#include "QtTelescopeWindow.h"
#include "TelescopeDlg.h"

CTelescopeApp::~CTelescopeApp() = default;

bool CTelescopeApp::InitInstance(const char* startFileName, DesignFileCommands* fileCommands) {
  InitAppCore(startFileName, "Spekulor");

  QtTelescopeWindow window;
  AssertionBoxRouting assertionBox(window);
  CTelescopeDlg dlg(window, fileCommands);
  dlg.DoModal();
  return false;
}
