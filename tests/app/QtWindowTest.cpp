// The window on Qt, offscreen: what the user sees and what keys and menus do.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QFile>
#include <QFileDialog>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QScrollBar>
#include <clocale>
#include <string>

#include "app/AboutDlg.h"
#include "dialog/AssertionBox.h"
#include "calc/Calculate.h"
#include "tests/app/ChildScenarios.h"
#include "tests/app/ModalHelper.h"
#include "tests/app/OpenWindowTest.h"
#include "app/QtTelescopeWindow.h"
#include "dialog/TelescopeDlg.h"
#include "app/QtText.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::files;
using namespace spekulor::dialog;

namespace {

QString ToDisplay(const std::string& text) {
  return FromWindows1252(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

class QtWindowTest : public OpenWindowTest {
 protected:
  QPushButton* Button(int id) const { return static_cast<QPushButton*>(window.Control(id)); }
  QPlainTextEdit* Report() const { return static_cast<QPlainTextEdit*>(window.Control(IDC_REPORT)); }
  QString ReportText() const { return Report()->toPlainText(); }
};

TEST_F(QtWindowTest, OpensWithTheStartValues) {
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Spekulor"));
  // In screen order: diameter, field, primary focal length, system focal length, back focal length.
  const QStringList expected = {"400.0", "0.75", "1000.0", "3200.0", "254", "", "", "", "", ""};
  const int ids[] = {IDC_PRI_DIA,  IDC_FIELD,   IDC_PRI_FOC,     IDC_SYS_FOC, IDC_BACK_FOC_LEN,
                     IDC_SEC_SYS_DIST, IDC_SEC_PRI_DIST, IDC_SEC_RAD_CUR, IDC_PRI_CC, IDC_SEC_CC};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(Edit(ids[i])->text(), expected[i]) << ids[i];
  EXPECT_TRUE(Radio(IDC_UNIT_MM)->isChecked());
  EXPECT_FALSE(Radio(IDC_UNIT_INCH)->isChecked());
  EXPECT_TRUE(Radio(IDC_TYPE_RITCHEY_CHRETIEN)->isChecked());
  EXPECT_EQ(Radio(IDC_TYPE_RITCHEY_CHRETIEN)->text(), QString::fromUtf8("Ritchey-Chrétien"));
  EXPECT_TRUE(ReportText().isEmpty());
  EXPECT_EQ(QApplication::focusWidget(), Button(IDOK));
  EXPECT_TRUE(Button(IDOK)->isDefault());
  EXPECT_EQ(dlg.m_hIcon, IDR_MAINFRAME);
  EXPECT_FALSE(window.windowIcon().isNull());
  EXPECT_EQ(window.windowIcon().availableSizes(),
            (QList<QSize>{QSize(16, 16), QSize(32, 32)}));
}

TEST_F(QtWindowTest, EnterInAnEntryFieldCalculatesAndKeepsTheWindowOpen) {
  Edit(IDC_BACK_FOC_LEN)->setFocus();
  Edit(IDC_BACK_FOC_LEN)->setText(QStringLiteral("300"));
  QTest::keyClick(Edit(IDC_BACK_FOC_LEN), Qt::Key_Return);
  DesignFields typed;
  typed.m_strBackFocLen = "300";
  EXPECT_EQ(ReportText(), ToDisplay(Calculate(typed).report));
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(Edit(IDC_BACK_FOC_LEN)->text(), QStringLiteral("300"));
}

TEST_F(QtWindowTest, EnterInTheReportBoxCalculatesToo) {
  Report()->setFocus();
  QTest::keyClick(Report(), Qt::Key_Return);
  EXPECT_EQ(ReportText(), ToDisplay(Calculate(DesignFields()).report));
  EXPECT_TRUE(window.isVisible());
}

TEST_F(QtWindowTest, EnterOnTheExportButtonPressesThatButtonNotCalculate) {
  Button(IDC_CALC_OSLO)->setFocus();
  bool asked = false;
  AnswerNextModal(
      [&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        asked = true;
        dialog->reject();
      },
      &window);
  QTest::keyClick(Button(IDC_CALC_OSLO), Qt::Key_Return);
  EXPECT_TRUE(asked);  // the export asked where to write the lens file
  EXPECT_TRUE(ReportText().startsWith(QStringLiteral("// OSLO 6.3\n"))) << ReportText().toStdString();
  Edit(IDC_FIELD)->setFocus();
  QTest::keyClick(Edit(IDC_FIELD), Qt::Key_Return);
  EXPECT_FALSE(ReportText().isEmpty());  // the default button is Calculate again
}

TEST_F(QtWindowTest, EscEndsTheWindowWithCancel) {
  Edit(IDC_PRI_DIA)->setText(QStringLiteral("123"));  // unsaved input changes nothing
  QTest::keyClick(Edit(IDC_PRI_DIA), Qt::Key_Escape);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.result(), IDCANCEL);
}

TEST_F(QtWindowTest, CloseBoxQuitAndSystemCloseEndTheWindow) {
  window.close();
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.result(), IDCANCEL);

  window.show();
  window.setResult(0);
  window.MenuAction(IDM_QUIT)->trigger();
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.result(), IDCANCEL);

  window.show();
  window.setResult(0);
  window.SystemMenu()->actions().constFirst()->trigger();
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.result(), IDCANCEL);
}

TEST_F(QtWindowTest, MenuAndButtonGiveTheSameReport) {
  window.MenuAction(IDM_CALCULATE_RESULTS)->trigger();
  const QString byMenu = ReportText();
  Report()->clear();
  QTest::mouseClick(Button(IDOK), Qt::LeftButton);
  EXPECT_FALSE(byMenu.isEmpty());
  EXPECT_EQ(ReportText(), byMenu);
  EXPECT_TRUE(byMenu.startsWith(QString::fromUtf8("General parameters for Ritchey-Chrétien\n")));
}

TEST_F(QtWindowTest, ReportBoxIsReadOnlyUnwrappedAndFixedPitch) {
  QPlainTextEdit* report = Report();
  EXPECT_TRUE(report->isReadOnly());
  EXPECT_EQ(report->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(report->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(report->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_TRUE(report->textInteractionFlags() & Qt::TextSelectableByMouse);

  const QFontInfo info(report->font());
  EXPECT_TRUE(info.fixedPitch()) << info.family().toStdString();
  EXPECT_EQ(info.pixelSize(), 12);
  const QFontMetricsF metrics(report->font());
  EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QLatin1Char('.')),
                   metrics.horizontalAdvance(QLatin1Char('M')));

  // Typing does not change it.
  QTest::mouseClick(Button(IDOK), Qt::LeftButton);
  const QString before = ReportText();
  report->setFocus();
  QTest::keyClicks(report, QStringLiteral("xyz"));
  EXPECT_EQ(ReportText(), before);
}

TEST_F(QtWindowTest, ReportLinesWiderThanTheBoxScrollInsteadOfWrapping) {
  QTest::mouseClick(Button(IDOK), Qt::LeftButton);
  const QPlainTextEdit* report = Report();
  EXPECT_EQ(report->document()->blockCount(), ReportText().count(QLatin1Char('\n')) + 1);
  const QString wide(400, QLatin1Char('x'));
  window.SetControlText(IDC_REPORT, wide.toStdString());
  QApplication::processEvents();
  EXPECT_GT(report->horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(report->document()->blockCount(), 1);
}

TEST_F(QtWindowTest, TabFollowsTheTemplateOrderAndSkipsRadioButtons) {
  const int order[] = {IDOK,           IDC_PRI_DIA,      IDC_FIELD,        IDC_PRI_FOC,
                       IDC_SYS_FOC,    IDC_BACK_FOC_LEN, IDC_SEC_SYS_DIST, IDC_SEC_PRI_DIST,
                       IDC_SEC_RAD_CUR, IDC_PRI_CC,      IDC_SEC_CC,       IDC_REPORT,
                       IDC_CALC_OSLO,  IDOK};
  Button(IDC_CALC_OSLO)->setEnabled(true);  // disabled controls are skipped, as anywhere
  Button(IDOK)->setFocus();
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
    ASSERT_EQ(QApplication::focusWidget(), window.Control(order[i])) << "step " << i;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(QApplication::focusWidget(), window.Control(IDOK));
  for (int id : {IDC_UNIT_INCH, IDC_UNIT_MM, IDC_TYPE_CLASSICAL, IDC_TYPE_STIGMATIC}) {
    EXPECT_EQ(Radio(id)->focusPolicy() & Qt::TabFocus, 0) << id;
  }
}

TEST_F(QtWindowTest, RadioButtonsOfAGroupExcludeEachOtherAndCanAllBeCleared) {
  QTest::mouseClick(Radio(IDC_UNIT_INCH), Qt::LeftButton);
  EXPECT_TRUE(Radio(IDC_UNIT_INCH)->isChecked());
  EXPECT_FALSE(Radio(IDC_UNIT_MM)->isChecked());
  EXPECT_TRUE(Radio(IDC_TYPE_RITCHEY_CHRETIEN)->isChecked());  // the other group is untouched
  EXPECT_EQ(window.CheckedRadio(IDC_UNIT_INCH), 0);
  window.CheckRadio(IDC_TYPE_CLASSICAL, -1);
  EXPECT_EQ(window.CheckedRadio(IDC_TYPE_CLASSICAL), -1);
  window.CheckRadio(IDC_TYPE_CLASSICAL, 4);
  EXPECT_TRUE(Radio(IDC_TYPE_STIGMATIC)->isChecked());
}

TEST_F(QtWindowTest, TextsCrossTheWidgetBoundaryAsWindows1252) {
  window.SetControlText(IDC_SEC_CC, "-1.08\xE9");
  EXPECT_EQ(Edit(IDC_SEC_CC)->text(), QString::fromUtf8("-1.08é"));
  Edit(IDC_PRI_CC)->setText(QString::fromUtf8("€ 2,5"));
  EXPECT_EQ(window.ControlText(IDC_PRI_CC), "\x80 2,5");
  window.SetControlText(IDC_REPORT, "a\r\nb");
  EXPECT_EQ(ReportText(), QStringLiteral("a\nb"));
  EXPECT_EQ(window.ControlText(IDC_REPORT), "a\r\nb");
}

TEST_F(QtWindowTest, RefusedCalculationShowsTheErrorAndKeepsThePreviousReport) {
  QTest::mouseClick(Button(IDOK), Qt::LeftButton);
  const QString previous = ReportText();
  Edit(IDC_PRI_DIA)->clear();
  QString shown;
  QString title;
  AnswerNextModal([&](QWidget* box) {
    shown = MessageBoxText(box);
    title = box->windowTitle();
    PressMessageBoxButton(box, QMessageBox::Ok);
  }, &window);
  QTest::mouseClick(Button(IDOK), Qt::LeftButton);
  EXPECT_EQ(shown, QStringLiteral("Error 1\nThe default parameters (mirror diameter, mirror "
                                  "focal length, field) are needed!"));
  EXPECT_EQ(title, QStringLiteral("Spekulor"));
  EXPECT_EQ(ReportText(), previous);
  EXPECT_TRUE(Edit(IDC_PRI_DIA)->text().isEmpty());
  EXPECT_TRUE(window.isVisible());
}

TEST_F(QtWindowTest, SystemMenuEndsWithTheAboutItemThatShowsTheAboutBox) {
  const QList<QAction*> actions = window.SystemMenu()->actions();
  ASSERT_EQ(actions.size(), 3);
  EXPECT_EQ(actions[0]->text(), QStringLiteral("Close"));
  EXPECT_TRUE(actions[1]->isSeparator());
  EXPECT_EQ(actions[2]->text(), QString::fromUtf8("Inf&o über Spekulor..."));
  EXPECT_EQ(window.MainMenuBar()->cornerWidget(Qt::TopLeftCorner), window.SystemMenuButton());

  QStringList labels;
  QString caption;
  AnswerNextModal([&](QWidget* modal) {
    auto* about = qobject_cast<CAboutDlg*>(modal);
    if (about == nullptr) return;
    caption = about->windowTitle();
    for (QLabel* label : about->findChildren<QLabel*>()) labels << label->text();
    QTest::keyClick(about, Qt::Key_Escape);
  }, &window);
  Edit(IDC_PRI_DIA)->setText(QStringLiteral("500"));
  actions[2]->trigger();
  EXPECT_EQ(caption, QString::fromUtf8("Info über Spekulor"));
  EXPECT_TRUE(labels.contains(QStringLiteral("Spekulor 0.3.0.1")));
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(Edit(IDC_PRI_DIA)->text(), QStringLiteral("500"));
  EXPECT_TRUE(ReportText().isEmpty());
}

TEST_F(QtWindowTest, AltSpaceOpensTheSystemMenu) {
  QTest::keyClick(&window, Qt::Key_Space, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([this] { return window.SystemMenu()->isVisible(); }, 2000));
  window.SystemMenu()->close();
}

TEST_F(QtWindowTest, EveryCommandIsPresentAndEnabled) {
  EXPECT_TRUE(Button(IDC_CALC_OSLO)->isEnabled());
  EXPECT_EQ(Button(IDC_CALC_OSLO)->text(), QStringLiteral("Calculate; Create OSLO Lens File"));
  for (int id : {IDM_CALCULATE_OSLO, ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE_AS, IDM_VIEW_LAYOUT,
                 IDM_EXPORT_ZEMAX, IDM_EXPORT_CODEV}) {
    ASSERT_NE(window.MenuAction(id), nullptr) << id;
    EXPECT_TRUE(window.MenuAction(id)->isEnabled()) << id;
  }
  EXPECT_TRUE(window.MenuAction(IDM_CALCULATE_RESULTS)->isEnabled());
  EXPECT_TRUE(window.MenuAction(IDM_QUIT)->isEnabled());
}

TEST_F(QtWindowTest, TheDialogIsLaidOutInDialogUnitsOfItsFont) {
  const DialogBaseUnits units = window.Widgets().BaseUnits();
  ASSERT_GT(units.charWidth, 0);
  ASSERT_GT(units.charHeight, 0);
  QWidget* client = window.Control(IDOK)->parentWidget();
  EXPECT_EQ(client->width(), DialogXToPixels(397, units));
  EXPECT_EQ(client->height(), DialogYToPixels(356, units));
  // The report box ends 7 units before the right edge and 11 before the bottom.
  const QRect report = window.Control(IDC_REPORT)->geometry();
  EXPECT_EQ(client->width() - (report.x() + report.width()),
            DialogXToPixels(397, units) - DialogXToPixels(390, units));
  EXPECT_EQ(client->height() - (report.y() + report.height()),
            DialogYToPixels(356, units) - DialogYToPixels(345, units));
  EXPECT_FALSE(window.isSizeGripEnabled());
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
}

// The export button and the four menu items reach their commands: each asks for a
// file (cancelled here), and New puts the start-up values back.
TEST(QtWindowRoutingTest, ButtonAndMenuItemsReachTheirCommands) {
  QtTelescopeWindow window;
  CTelescopeDlg dlg(window);
  window.Open(dlg);
  window.show();
  QStringList asked;
  const auto cancelNextFileDialog = [&] {
    AnswerNextModal(
        [&](QWidget* modal) {
          auto* dialog = qobject_cast<QFileDialog*>(modal);
          ASSERT_NE(dialog, nullptr);
          asked << dialog->nameFilters().value(0);
          dialog->reject();
        },
        &window);
  };
  cancelNextFileDialog();
  QTest::mouseClick(static_cast<QPushButton*>(window.Control(IDC_CALC_OSLO)), Qt::LeftButton);
  for (int id : {IDM_CALCULATE_OSLO, ID_FILE_OPEN, ID_FILE_SAVE_AS}) {
    ASSERT_TRUE(window.MenuAction(id)->isEnabled());
    cancelNextFileDialog();
    window.MenuAction(id)->trigger();
  }
  EXPECT_EQ(asked, (QStringList{"OSLO Lens Files (*.len)", "OSLO Lens Files (*.len)",
                                "Spekulor Files (*.spekulor)", "Spekulor Files (*.spekulor)"}));
  static_cast<QLineEdit*>(window.Control(IDC_PRI_DIA))->setText(QStringLiteral("1"));
  ASSERT_TRUE(window.MenuAction(ID_FILE_NEW)->isEnabled());
  window.MenuAction(ID_FILE_NEW)->trigger();
  EXPECT_EQ(static_cast<QLineEdit*>(window.Control(IDC_PRI_DIA))->text(), QStringLiteral("400.0"));
  window.done(0);
}

TEST(QtFileDialogTest, SaveDialogCompletesTheExtensionAndCancelGivesNothing) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QtTelescopeWindow window;
  FileDialogRequest request;
  request.openFile = false;
  request.defaultExt = "*.len";
  request.fileName = (dir.path() + QStringLiteral("/design")).toStdString();
  request.flags = kHideReadOnly | kOverwritePrompt;
  request.filter = "OSLO Lens Files (*.len)|*.len|All Files (*.*)|*.*||";

  QStringList filters;
  AnswerNextModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (dialog == nullptr) return;
    filters = dialog->nameFilters();
    QMetaObject::invokeMethod(dialog, "accept");
  });
  const std::optional<std::string> path = window.AskFilePath(request);
  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(QString::fromStdString(*path), dir.path() + QStringLiteral("/design.len"));
  EXPECT_EQ(filters, (QStringList{"OSLO Lens Files (*.len)", "All Files (*)"}));

  AnswerNextModal([](QWidget* modal) { modal->close(); });
  EXPECT_FALSE(window.AskFilePath(request).has_value());
}

TEST(QtFileDialogTest, OpenTakesATypedNameThatExistsAsItIs) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString folder = dir.path() + QLatin1Char('/');
  for (const char* name : {"notes", "club.spekulor", "both", "both.spekulor"}) {
    QFile file(folder + QLatin1String(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  EXPECT_EQ(ExistingFileFor(folder + "notes", "spekulor"), folder + "notes");
  EXPECT_EQ(ExistingFileFor(folder + "club", "spekulor"), folder + "club.spekulor");
  EXPECT_EQ(ExistingFileFor(folder + "both", "spekulor"), folder + "both");
  EXPECT_EQ(ExistingFileFor(folder + "missing", "spekulor"), QString());
  EXPECT_EQ(ExistingFileFor(folder + "club.txt", "spekulor"), QString());

  // Through the toolkit's dialog: "notes" is opened as typed, not as "notes.spekulor".
  QtTelescopeWindow window;
  FileDialogRequest request;
  request.openFile = true;
  request.defaultExt = "*.spekulor";
  request.filter = "Spekulor Files (*.spekulor)|*.spekulor|All Files (*.*)|*.*||";
  const std::pair<const char*, const char*> cases[] = {{"notes", "notes"},
                                                        {"club", "club.spekulor"}};
  for (const auto& [typed, opened] : cases) {
    AnswerNextModal([&](QWidget* modal) { TypeIntoFileDialog(modal, folder + typed); });
    const std::optional<std::string> path = window.AskFilePath(request);
    ASSERT_TRUE(path.has_value()) << typed;
    EXPECT_EQ(QString::fromStdString(*path), folder + QLatin1String(opened));
  }
}

TEST(QtFileDialogTest, FiltersAreConvertedPairByPair) {
  EXPECT_EQ(FileDialogFilters("Spekulor Files (*.spekulor)|*.spekulor|All Files (*.*)|*.*||"),
            (QStringList{"Spekulor Files (*.spekulor)", "All Files (*)"}));
  EXPECT_EQ(FileDialogFilters("Texts|*.txt;*.text||"), (QStringList{"Texts (*.txt *.text)"}));
  EXPECT_TRUE(FileDialogFilters("").isEmpty());
}

TEST(QtAssertionBoxTest, IgnoreAndRetryGoOnAfterTheBox) {
  QtTelescopeWindow window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  AssertionBoxRouting routing(window);
  for (int button : {QMessageBox::Ignore, QMessageBox::Retry}) {
    QString title;
    QString text;
    bool stopIcon = false;
    bool threeButtons = false;
    AnswerNextModal([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (box == nullptr) return;
      title = box->windowTitle();
      text = box->text();
      stopIcon = box->icon() == QMessageBox::Critical;
      threeButtons = box->standardButtons() ==
                     (QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);
      PressMessageBoxButton(box, button);
    }, &window);
    const int answer = AssertFailed("PriFoc != HUGE_VAL", "Solver.cpp", 42, "no focus");
    EXPECT_EQ(answer, button == QMessageBox::Ignore ? AssertIgnore : AssertRetry);
    EXPECT_EQ(title, QStringLiteral("Assert"));
    EXPECT_EQ(text, QStringLiteral("AssertMessage(PriFoc != HUGE_VAL);\nFile Solver.cpp, line "
                                   "42.\n *** no focus ***"));
    EXPECT_TRUE(stopIcon);
    EXPECT_TRUE(threeButtons);
  }
  window.done(0);
}

TEST(QtAssertionBoxTest, AbortShowsApplicationTerminatedAndEndsAtOnce) {
  const ChildRun run = RunChild(QStringLiteral("assert-abort"));
  EXPECT_FALSE(run.crashed);
  EXPECT_EQ(run.exitCode, kFatalExitStatus) << run.output.toStdString();
  EXPECT_TRUE(run.output.contains(QStringLiteral("box title: Assert\n")));
  EXPECT_TRUE(run.output.contains(QStringLiteral("box text: Assert(1 + 1 == 3);\nFile ")));
  EXPECT_TRUE(run.output.contains(QStringLiteral("fatal text: Application terminated\n")));
  EXPECT_FALSE(run.output.contains(QStringLiteral("returned from the assertion")));
  EXPECT_FALSE(run.output.contains(QStringLiteral("exit handlers ran")));
}

TEST(StartupTest, NormalRunRegistersTheNameOpensTheWindowAndEndsThroughTheExitHandlers) {
  const ChildRun run = RunChild(QStringLiteral("startup"));
  EXPECT_FALSE(run.crashed);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output, QStringLiteral("name before start: null\n"
                                       "name while open: Spekulor\n"
                                       "diameter: 400.0\n"
                                       "mm checked: 1\n"
                                       "start operation returned 0\n"
                                       "exit handlers ran\n"));
}

TEST(StartupTest, NumbersUseThePointUnderAGermanLocale) {
  const std::string current = setlocale(LC_ALL, nullptr);
  const bool german = setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  setlocale(LC_ALL, current.c_str());
  if (!german) {
    GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (scripts/deps.sh makes it)";
  }
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
  const ChildRun run = RunChild(QStringLiteral("locale"), environment);
  EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
  EXPECT_TRUE(run.output.contains(QStringLiteral("point set by Qt: ,\n"))) << run.output.toStdString();
  EXPECT_TRUE(run.output.contains(QStringLiteral("point after setup: .\n")));
  EXPECT_TRUE(run.output.contains(QStringLiteral("Primary mirror focal length ..............   "
                                                 "1000.0000 mm (f/2.5)\n")))
      << run.output.toStdString();
}

}  // namespace
