// The main window on Qt Widgets: dialog template 102 under menu 129, with a system
// menu of its own, implementing the DialogPlatform that CTelescopeDlg talks to.
//
// Linux desktops draw the title-bar menu themselves and take no items from a
// program, so the window carries its system menu at the left end of its menu bar:
// a button with the program icon, also opened with Alt+Space, holding "Close" and
// whatever the window appends.
#ifndef SPEKULOR_APP_QTTELESCOPEWINDOW_H
#define SPEKULOR_APP_QTTELESCOPEWINDOW_H

#include <QDialog>
#include <map>
#include <memory>
#include <vector>

#include "dialog/DialogPlatform.h"
#include "app/TemplateWidgets.h"

class PicturesWindow;
class UserGuideWindow;
class QAction;
class QPrinter;
class QMenu;
class QMenuBar;
class QToolButton;

class QtTelescopeWindow : public QDialog, public spekulor::dialog::DialogPlatform {
  Q_OBJECT

 public:
  explicit QtTelescopeWindow(QWidget* parent = nullptr);
  ~QtTelescopeWindow() override;

  // Calls handler.OnInitDialog(), gives the first tab stop the focus and centres the
  // window, without showing it; DoModal does this and then runs the modal loop.
  void Open(spekulor::dialog::DialogHandler& handler);

  // For the tests and the screenshot: the widgets of the template and the menus.
  QWidget* Control(int id) const { return m_widgets->Control(id); }
  QAction* MenuAction(int id) const;
  QMenu* SystemMenu() const { return m_systemMenu; }
  QToolButton* SystemMenuButton() const { return m_systemButton; }
  QMenuBar* MainMenuBar() const { return m_menuBar; }
  const TemplateWidgets& Widgets() const { return *m_widgets; }
  // The pictures window, once View has opened it; null before.
  PicturesWindow* Pictures() const { return m_pictures.get(); }
  // The user guide, once Help has opened it; null before.
  UserGuideWindow* Guide() const { return m_guide.get(); }
  // File > Print... and Help > User guide, with their keys.
  QAction* PrintAction() const { return m_printAction; }
  QAction* HelpAction() const { return m_helpAction; }
  // The File menu's recent files, newest first.
  const std::vector<QAction*>& RecentFileActions() const { return m_recentActions; }
  // Prints the report on `printer`; false when it cannot be opened.
  bool PrintReport(QPrinter& printer);
  void ShowUserGuide();

  // DialogPlatform.
  int DoModal(spekulor::dialog::DialogHandler& handler) override;
  void EndDialog(int result) override;
  std::string ControlText(int id) override;
  void SetControlText(int id, const std::string& text) override;
  int CheckedRadio(int firstId) override;
  void CheckRadio(int firstId, int index) override;
  void SetCaption(const std::string& caption) override;
  bool SetControlFont(int id, const spekulor::dialog::FontTemplate& font) override;
  void EnableCommand(int id, bool enabled) override;
  spekulor::dialog::IconHandle LoadIcon(int resourceId) override;
  void SetIcon(spekulor::dialog::IconHandle icon, bool bigIcon) override;
  bool HasSystemMenu() override;
  void AppendSystemMenuSeparator() override;
  void AppendSystemMenuItem(int id, const std::string& text) override;
  void DefaultSysCommand(int id) override;
  void MessageBox(const std::string& text, const std::string& detail) override;
  std::optional<std::string> AskFilePath(const spekulor::dialog::FileDialogRequest& request) override;
  void ShowAboutBox() override;
  void ShowPictures(std::shared_ptr<const spekulor::calc::Calculation> design, int page) override;
  bool PicturesOpen() override;
  void UpdatePictures(std::shared_ptr<const spekulor::calc::Calculation> design) override;
  std::string StorePath() override;
  void RecentFilesChanged() override;
  spekulor::support::AssertAnswer AskAssertion(const std::string& reportText) override;
  void ShowFatalExit(const std::string& text) override;

 public slots:
  // Every way of cancelling (Esc, the close box) comes here and goes to the window's
  // Cancel command.
  void reject() override;

 private:
  void BuildMenuBar();
  // The keys, File > Print..., the recent files and the Help menu, around the menus
  // of the template.
  void AddWorkbenchMenus();
  void AskAndPrintReport();
  void BuildSystemMenu();
  void RaiseCommand(int id);
  void RaiseSysCommand(int id);
  void PopUpSystemMenu();

  QWidget* m_client;
  QMenuBar* m_menuBar;
  QToolButton* m_systemButton;
  QMenu* m_systemMenu;
  std::unique_ptr<TemplateWidgets> m_widgets;
  std::map<int, QAction*> m_menuActions;
  spekulor::dialog::DialogHandler* m_handler = nullptr;
  std::unique_ptr<PicturesWindow> m_pictures;
  std::unique_ptr<UserGuideWindow> m_guide;
  QMenu* m_fileMenu = nullptr;
  QAction* m_recentSeparator = nullptr;
  QAction* m_printAction = nullptr;
  QAction* m_helpAction = nullptr;
  std::vector<QAction*> m_recentActions;
};

// The file an open dialog means by `typed`: the name as typed when such a file exists,
// else, for a name without a dot, the name with ".suffix" when that file exists; empty
// when neither does.
QString ExistingFileFor(const QString& typed, const QString& suffix);

// The window's message box (DialogPlatform::MessageBox) and file dialog
// (DialogPlatform::AskFilePath), owned by `parent`.
void ShowMessageBox(QWidget* parent, const std::string& text, const std::string& detail);
std::optional<std::string> AskFilePathIn(QWidget* parent, const spekulor::dialog::FileDialogRequest& request);

// Converts a filter written "Description|pattern|...||" into the toolkit's filter
// list; "*.*" becomes "*", every file.
QStringList FileDialogFilters(const std::string& filter);

#endif
