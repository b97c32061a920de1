#include "TelescopeApp.h"

#include "AppCore.h"
#include "AssertionBox.h"
#include "QtTelescopeWindow.h"
#include "TelescopeDlg.h"

CTelescopeApp::~CTelescopeApp() = default;

bool CTelescopeApp::InitInstance(const char* startFileName, const std::string& startupDesign) {
  InitAppCore(startFileName, "Spekulor");

  QtTelescopeWindow window;
  AssertionBoxRouting assertionBox(window);
  CTelescopeDlg dlg(window, startupDesign);
  dlg.DoModal();
  return false;
}
