#include "app/TelescopeApp.h"

#include "support/AppCore.h"
#include "dialog/AssertionBox.h"
#include "app/QtTelescopeWindow.h"
#include "dialog/TelescopeDlg.h"

using namespace spekulor::support;
using namespace spekulor::dialog;

CTelescopeApp::~CTelescopeApp() = default;

bool CTelescopeApp::InitInstance(const char* startFileName, const std::string& startupDesign) {
  InitAppCore(startFileName, "Spekulor");

  QtTelescopeWindow window;
  AssertionBoxRouting assertionBox(window);
  CTelescopeDlg dlg(window, startupDesign);
  dlg.DoModal();
  return false;
}
