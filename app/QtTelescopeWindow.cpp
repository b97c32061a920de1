#include "app/QtTelescopeWindow.h"

#include <utility>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <QEventLoop>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

#include "app/AboutDlg.h"
#include "app/PicturesWindow.h"
#include "app/QtText.h"
#include "app/UserGuide.h"
#include "dialog/FieldHelp.h"
#include "dialog/RecentFiles.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::dialog;

namespace {

// The report box shows line feeds; the program's texts end their lines with CR LF.
QString ToDisplayLines(const std::string& text) {
  QString display = FromWindows1252(text);
  display.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return display;
}

std::string FromDisplayLines(const QString& display) {
  QString text = display;
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return ToWindows1252(text);
}

// The pattern part of "*.len": "len"; empty for anything else.
QString SuffixOf(const std::string& defaultExt) {
  QString ext = FromWindows1252(defaultExt);
  if (ext.startsWith(QStringLiteral("*."))) ext.remove(0, 2);
  if (ext.startsWith(QLatin1Char('.'))) ext.remove(0, 1);
  if (ext.contains(QLatin1Char('*')) || ext.contains(QLatin1Char('?'))) return {};
  return ext;
}

// A menu's title on the bar: its name with an ampersand before the first letter that
// no menu before it took (`taken`, upper case), so that Alt and that letter opens it:
// "&File", "&Edit", "&View", "E&xport". The name itself is shown as it is.
QString TitleWithMnemonic(const QString& name, QString& taken) {
  for (qsizetype i = 0; i < name.size(); ++i) {
    const QChar letter = name.at(i).toUpper();
    if (!letter.isLetter() || taken.contains(letter)) continue;
    taken.append(letter);
    QString title = name;
    title.insert(i, QLatin1Char('&'));
    return title;
  }
  return name;
}

}  // namespace

QString ExistingFileFor(const QString& typed, const QString& suffix) {
  const QFileInfo asTyped(typed);
  if (asTyped.isFile()) return typed;
  if (suffix.isEmpty() || asTyped.fileName().contains(QLatin1Char('.'))) return {};
  const QString completed = typed + QLatin1Char('.') + suffix;
  return QFileInfo(completed).isFile() ? completed : QString();
}

QStringList FileDialogFilters(const std::string& filter) {
  const QStringList parts = FromWindows1252(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty()) break;  // the closing "||"
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    // "*.*" means every file where the pattern comes from; here it would hide the
    // files whose names have no dot.
    for (QString& pattern : patterns) {
      if (pattern == QStringLiteral("*.*")) pattern = QStringLiteral("*");
    }
    // The toolkit reads the patterns from the last parentheses of the description.
    QString description = parts[i];
    description.remove(QRegularExpression(QStringLiteral("\\s*\\([^)]*\\)\\s*$")));
    filters << QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' ')));
  }
  return filters;
}

QtTelescopeWindow::QtTelescopeWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_client(new QWidget(this)),
      m_menuBar(new QMenuBar(this)),
      m_systemButton(new QToolButton(m_menuBar)),
      m_systemMenu(new QMenu(this)) {
  m_widgets = std::make_unique<TemplateWidgets>(MainDialogTemplate(), m_client);
  setFont(m_client->font());

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->setMenuBar(m_menuBar);
  layout->addWidget(m_client);

  BuildMenuBar();
  AddWorkbenchMenus();
  BuildSystemMenu();
  const DialogTemplate& main = MainDialogTemplate();
  for (std::size_t k = 0; k < main.controlCount; ++k) {
    const char* help = FieldHelp(main.controls[k].id);
    if (help != nullptr) m_widgets->Control(main.controls[k].id)->setToolTip(FromWindows1252(help));
  }

  for (int id : {IDOK, IDC_CALC_OSLO}) {
    auto* button = static_cast<QPushButton*>(m_widgets->Control(id));
    connect(button, &QPushButton::clicked, this, [this, id] { RaiseCommand(id); });
  }
}

QtTelescopeWindow::~QtTelescopeWindow() = default;

void QtTelescopeWindow::BuildMenuBar() {
  std::size_t count = 0;
  const MenuItemTemplate* items = MainMenuItems(&count);
  QMenu* menu = nullptr;
  const char* menuName = nullptr;
  QString takenMnemonics;
  for (std::size_t i = 0; i < count; ++i) {
    const MenuItemTemplate& item = items[i];
    if (menuName == nullptr || std::string(menuName) != item.menu) {
      menuName = item.menu;
      menu = m_menuBar->addMenu(TitleWithMnemonic(FromWindows1252(item.menu), takenMnemonics));
    }
    if (item.id == 0) {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(FromWindows1252(item.item));
    if (item.id == ID_FILE_NEW) m_fileMenu = menu;
    const int id = item.id;
    connect(action, &QAction::triggered, this, [this, id] { RaiseCommand(id); });
    m_menuActions[id] = action;
  }
}

void QtTelescopeWindow::AddWorkbenchMenus() {
  const std::pair<int, QKeySequence> keys[] = {{ID_FILE_NEW, QKeySequence::New},
                                               {ID_FILE_OPEN, QKeySequence::Open},
                                               {ID_FILE_SAVE_AS, QKeySequence(Qt::CTRL | Qt::Key_S)}};
  for (const auto& [id, key] : keys) {
    if (QAction* action = MenuAction(id)) action->setShortcut(key);
  }
  // File: Print... after Save as, the recent files before Quit.
  QAction* quit = MenuAction(IDM_QUIT);
  if (m_fileMenu != nullptr && quit != nullptr) {
    const QList<QAction*> items = m_fileMenu->actions();
    const qsizetype quitAt = items.indexOf(quit);
    QAction* beforeQuit = quitAt > 0 ? items.at(quitAt - 1) : quit;  // its separator
    m_printAction = new QAction(tr("Print..."), this);
    m_printAction->setShortcut(QKeySequence::Print);
    connect(m_printAction, &QAction::triggered, this, &QtTelescopeWindow::AskAndPrintReport);
    m_fileMenu->insertAction(beforeQuit, m_printAction);
    m_recentSeparator = m_fileMenu->insertSeparator(beforeQuit);
    RecentFilesChanged();
  }
  QString taken;
  for (QAction* menu : m_menuBar->actions()) {
    const QString title = menu->text();
    const qsizetype amp = title.indexOf(QLatin1Char('&'));
    if (amp >= 0 && amp + 1 < title.size()) taken.append(title.at(amp + 1).toUpper());
  }
  QMenu* help = m_menuBar->addMenu(TitleWithMnemonic(tr("Help"), taken));
  m_helpAction = help->addAction(tr("User guide"), this, &QtTelescopeWindow::ShowUserGuide);
  m_helpAction->setShortcut(QKeySequence::HelpContents);
  help->addAction(tr("About Spekulor..."), this, &QtTelescopeWindow::ShowAboutBox);
  for (QAction* action : {m_printAction, m_helpAction}) {
    if (action != nullptr) addAction(action);  // their keys work with the menus closed
  }
}

void QtTelescopeWindow::RecentFilesChanged() {
  if (m_fileMenu == nullptr || m_recentSeparator == nullptr) return;
  for (QAction* action : m_recentActions) {
    m_fileMenu->removeAction(action);
    delete action;
  }
  m_recentActions.clear();
  const std::vector<std::string> paths = RecentFiles(WindowStore(StorePath()));
  for (size_t index = 0; index < paths.size(); ++index) {
    const QString path = QFile::decodeName(QByteArray::fromStdString(paths[index]));
    auto* action = new QAction(QStringLiteral("&%1 %2").arg(index + 1).arg(path), this);
    const int id = ID_FILE_MRU_FIRST + static_cast<int>(index);
    connect(action, &QAction::triggered, this, [this, id] { RaiseCommand(id); });
    m_fileMenu->insertAction(m_recentSeparator, action);
    m_recentActions.push_back(action);
  }
}

std::string QtTelescopeWindow::StorePath() { return UserWindowStorePath(); }

bool QtTelescopeWindow::PrintReport(QPrinter& printer) {
  auto* report = qobject_cast<QPlainTextEdit*>(m_widgets->Control(IDC_REPORT));
  if (report == nullptr) return false;
  QTextDocument document;
  document.setDefaultFont(report->font());
  document.setPlainText(report->toPlainText());
  document.print(&printer);
  return true;
}

void QtTelescopeWindow::AskAndPrintReport() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() == QDialog::Accepted) PrintReport(printer);
}

void QtTelescopeWindow::ShowUserGuide() {
  if (!m_guide) m_guide = std::make_unique<UserGuideWindow>();
  m_guide->show();
  m_guide->raise();
  m_guide->activateWindow();
}

void QtTelescopeWindow::BuildSystemMenu() {
  m_systemButton->setIcon(ProgramIcon());
  m_systemButton->setAutoRaise(true);
  m_systemButton->setFocusPolicy(Qt::NoFocus);
  connect(m_systemButton, &QToolButton::clicked, this, &QtTelescopeWindow::PopUpSystemMenu);
  m_systemButton->setToolTip(tr("System menu (Alt+Space)"));
  m_menuBar->setCornerWidget(m_systemButton, Qt::TopLeftCorner);

  QAction* close = m_systemMenu->addAction(tr("Close"));
  connect(close, &QAction::triggered, this, [this] { RaiseSysCommand(SC_CLOSE); });

  auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
  connect(shortcut, &QShortcut::activated, this, &QtTelescopeWindow::PopUpSystemMenu);
}

void QtTelescopeWindow::PopUpSystemMenu() {
  m_systemMenu->popup(m_systemButton->mapToGlobal(QPoint(0, m_systemButton->height())));
}

void QtTelescopeWindow::RaiseCommand(int id) {
  if (m_handler != nullptr) m_handler->OnCommand(id);
}

void QtTelescopeWindow::RaiseSysCommand(int id) {
  if (m_handler != nullptr) m_handler->OnSysCommand(id);
}

QAction* QtTelescopeWindow::MenuAction(int id) const {
  const auto found = m_menuActions.find(id);
  return found != m_menuActions.end() ? found->second : nullptr;
}

void QtTelescopeWindow::Open(DialogHandler& handler) {
  m_handler = &handler;
  const bool focusFirstTabStop = handler.OnInitDialog();
  if (focusFirstTabStop) {
    const std::vector<QWidget*> stops = m_widgets->TabStops();
    if (!stops.empty()) stops.front()->setFocus(Qt::OtherFocusReason);
  }
  adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

int QtTelescopeWindow::DoModal(DialogHandler& handler) {
  Open(handler);
  // Not exec(): a modal window would block the pictures window and the guide, which
  // are windows of their own so that the window manager keeps neither above this one.
  // The loop ends as exec's does, when the window is done.
  QEventLoop loop;
  connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
  show();
  loop.exec(QEventLoop::DialogExec);
  m_handler = nullptr;
  return result();
}

void QtTelescopeWindow::EndDialog(int result) { done(result); }

void QtTelescopeWindow::reject() {
  if (m_handler != nullptr) {
    m_handler->OnCommand(IDCANCEL);
  } else {
    QDialog::reject();
  }
}

std::string QtTelescopeWindow::ControlText(int id) {
  QWidget* control = m_widgets->Control(id);
  if (auto* edit = qobject_cast<QLineEdit*>(control)) return ToWindows1252(edit->text());
  if (auto* box = qobject_cast<QPlainTextEdit*>(control)) {
    return FromDisplayLines(box->toPlainText());
  }
  if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    return ToWindows1252(button->text());
  }
  return {};
}

void QtTelescopeWindow::SetControlText(int id, const std::string& text) {
  QWidget* control = m_widgets->Control(id);
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->setText(FromWindows1252(text));
    edit->setCursorPosition(0);
  } else if (auto* box = qobject_cast<QPlainTextEdit*>(control)) {
    box->setPlainText(ToDisplayLines(text));
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(FromWindows1252(text));
  }
}

int QtTelescopeWindow::CheckedRadio(int firstId) {
  const QButtonGroup* group = m_widgets->RadioGroup(firstId);
  return group != nullptr ? group->checkedId() : -1;
}

void QtTelescopeWindow::CheckRadio(int firstId, int index) {
  QButtonGroup* group = m_widgets->RadioGroup(firstId);
  if (group == nullptr) return;
  // An exclusive group refuses to clear its checked button, so it is opened up meanwhile.
  group->setExclusive(false);
  for (QAbstractButton* button : group->buttons()) {
    button->setChecked(group->id(button) == index);
  }
  group->setExclusive(true);
}

void QtTelescopeWindow::SetCaption(const std::string& caption) {
  setWindowTitle(FromWindows1252(caption));
}

bool QtTelescopeWindow::SetControlFont(int id, const FontTemplate& font) {
  QWidget* control = m_widgets->Control(id);
  if (control == nullptr) return false;
  control->setFont(FontFromTemplate(font));
  control->update();
  return true;
}

void QtTelescopeWindow::EnableCommand(int id, bool enabled) {
  if (QWidget* control = m_widgets->Control(id)) control->setEnabled(enabled);
  if (QAction* action = MenuAction(id)) action->setEnabled(enabled);
}

IconHandle QtTelescopeWindow::LoadIcon(int resourceId) {
  if (resourceId != IDR_MAINFRAME || ProgramIcon().isNull()) return 0;
  return resourceId;
}

void QtTelescopeWindow::SetIcon(IconHandle icon, bool /*bigIcon*/) {
  // One toolkit icon holds both sizes; the window system picks the one it needs.
  if (icon == IDR_MAINFRAME) setWindowIcon(ProgramIcon());
}

bool QtTelescopeWindow::HasSystemMenu() { return true; }

void QtTelescopeWindow::AppendSystemMenuSeparator() { m_systemMenu->addSeparator(); }

void QtTelescopeWindow::AppendSystemMenuItem(int id, const std::string& text) {
  QAction* action = m_systemMenu->addAction(FromWindows1252(text));
  connect(action, &QAction::triggered, this, [this, id] { RaiseSysCommand(id); });
}

void QtTelescopeWindow::DefaultSysCommand(int id) {
  if ((id & 0xFFF0) == SC_CLOSE) reject();
}

void QtTelescopeWindow::MessageBox(const std::string& text, const std::string& detail) {
  ShowMessageBox(this, text, detail);
}

void ShowMessageBox(QWidget* parent, const std::string& text, const std::string& detail) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Spekulor"), ToDisplayLines(text),
                  QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  // A path in the file system's own encoding, and an ASCII reason.
  if (!detail.empty()) box.setDetailedText(QFile::decodeName(QByteArray::fromStdString(detail)));
  box.exec();
}

std::optional<std::string> QtTelescopeWindow::AskFilePath(const FileDialogRequest& request) {
  return AskFilePathIn(this, request);
}

// A save dialog completes a name typed without an extension. An open dialog takes a
// typed name that exists as it is, and only otherwise the name with the extension
// (the toolkit's own completion would turn an existing "notes" into a missing
// "notes.spekulor"); a name found neither way is said so and asked again.
std::optional<std::string> AskFilePathIn(QWidget* parent, const FileDialogRequest& request) {
  QFileDialog dialog(parent);
  const QString suffix = SuffixOf(request.defaultExt);
  dialog.setAcceptMode(request.openFile ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, (request.flags & kOverwritePrompt) == 0);
  dialog.setNameFilters(FileDialogFilters(request.filter));
  if (!request.openFile) dialog.setDefaultSuffix(suffix);
  if (!request.fileName.empty()) dialog.selectFile(FromWindows1252(request.fileName));
  while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    const QString chosen = dialog.selectedFiles().constFirst();
    if (!request.openFile) return QFile::encodeName(chosen).toStdString();
    const QString found = ExistingFileFor(chosen, suffix);
    if (!found.isEmpty()) return QFile::encodeName(found).toStdString();
    QMessageBox box(QMessageBox::Warning, dialog.windowTitle(),
                    QStringLiteral("%1\nFile not found.\nPlease verify the correct file name "
                                   "was given.").arg(QFileInfo(chosen).fileName()),
                    QMessageBox::Ok, &dialog);
    box.exec();
  }
  return std::nullopt;
}

void QtTelescopeWindow::ShowPictures(std::shared_ptr<const Calculation> design, int page) {
  if (m_pictures == nullptr) {
    m_pictures = std::make_unique<PicturesWindow>(WindowStore(StorePath()));
    m_pictures->setWindowIcon(windowIcon());
    connect(m_pictures.get(), &PicturesWindow::HelpRequested, this, &QtTelescopeWindow::ShowUserGuide);
    // The fields and buttons end with the lens-export button; the report box below
    // them may be covered.
    const QWidget* last = m_widgets->Control(IDC_CALC_OSLO);
    const int fieldsBottom = last->mapTo(this, QPoint(0, last->height())).y() +
                             (geometry().top() - frameGeometry().top());
    m_pictures->ShowDesign(std::move(design), page);
    m_pictures->PlaceBeside(this, fieldsBottom);
  } else {
    m_pictures->ShowDesign(std::move(design), page);
  }
  m_pictures->show();
  m_pictures->raise();
  m_pictures->activateWindow();
}

bool QtTelescopeWindow::PicturesOpen() { return m_pictures != nullptr && m_pictures->isVisible(); }

void QtTelescopeWindow::UpdatePictures(std::shared_ptr<const Calculation> design) {
  if (m_pictures != nullptr) m_pictures->ShowDesign(std::move(design));
}

void QtTelescopeWindow::ShowAboutBox() {
  CAboutDlg about(this);
  about.exec();
}

AssertAnswer QtTelescopeWindow::AskAssertion(const std::string& reportText) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Assert"), FromWindows1252(reportText),
                  QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore,
                  QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  switch (box.exec()) {
    case QMessageBox::Abort: return AssertAbort;
    case QMessageBox::Retry: return AssertRetry;
    default: return AssertIgnore;  // Ignore, or the box closed without a button
  }
}

void QtTelescopeWindow::ShowFatalExit(const std::string& text) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Spekulor"), FromWindows1252(text),
                  QMessageBox::Ok, QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  box.exec();
}
