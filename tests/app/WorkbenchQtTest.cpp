// The window as a workbench, offscreen: pictures kept as the command line writes them,
// printed one a page, zoomed and scrolled; the analyses' options applied, refused as
// the command line refuses them, and remembered; the keys, the recent files and the
// user guide of the main window.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QWindow>
#include <cstdio>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "app/OptionsPanel.h"
#include "app/PictureView.h"
#include "app/PicturesWindow.h"
#include "app/UserGuide.h"
#include "app/WindowPlacement.h"
#include "cli/BafflesCommand.h"
#include "cli/QualityCommand.h"
#include "cli/TraceCommand.h"
#include "dialog/RecentFiles.h"
#include "files/DesignFile.h"
#include "tests/app/ModalHelper.h"
#include "tests/app/OpenWindowTest.h"
#include "tests/common/TestFiles.h"
#include "tests/app/PageWait.h"

using namespace spekulor::calc;
using namespace spekulor::dialog;

namespace {

std::shared_ptr<const Calculation> StartUpDesign() {
  return std::make_shared<const Calculation>(CompleteDesign(DesignFields()));
}

bool WaitForPictures(PicturesWindow& pictures, int page) {
  return QTest::qWaitFor(
      [&pictures, page] {
        return pictures.BusyLabel(page) == nullptr &&
               (!pictures.Views(page).empty() || pictures.RefusalLabel(page) != nullptr);
      },
      kPageWaitMs);
}

// Types `text` into the option field stored under `key` and enters it.
void EnterOption(PicturesWindow& pictures, const char* key, const QString& text) {
  auto* edit = qobject_cast<QLineEdit*>(pictures.Options()->Field(key));
  ASSERT_NE(edit, nullptr) << key;
  edit->setText(text);
  emit edit->editingFinished();
}

// Runs the command line's parser and command on `arguments`; its standard streams
// are dropped, the files it writes are what counts.
template <typename Options>
void RunCommandLine(void (*add)(CLI::App&, Options&), int (*run)(const Options&, std::FILE*, std::FILE*),
                    std::vector<std::string> arguments) {
  CLI::App app;
  Options options;
  add(app, options);
  std::reverse(arguments.begin(), arguments.end());  // CLI11 takes them last first
  app.parse(arguments);
  std::FILE* sink = std::fopen("/dev/null", "w");
  ASSERT_NE(sink, nullptr);
  EXPECT_EQ(run(options, sink, sink), 0);
  std::fclose(sink);
}

// The window's store, and the pictures window on the start-up design, Layout shown.
class PicturesWorkbench : public ::testing::Test {
 protected:
  void Open(int page = kLayoutPage) {
    pictures = std::make_unique<PicturesWindow>(WindowStore(folder.File("window.ini")));
    pictures->ShowDesign(StartUpDesign(), page);
    pictures->resize(900, 900);
    pictures->show();
    ASSERT_TRUE(WaitForPictures(*pictures, page));
  }

  TempDir folder;
  std::unique_ptr<PicturesWindow> pictures;
};

// The layout and the spots of a miscollimated secondary, and the baffles with the
// window's focus clearance, as the command line writes them with the same options.
TEST_F(PicturesWorkbench, SaveAsSvgWritesWhatTheCommandLineWrites) {
  Open();
  EnterOption(*pictures, "despace", QStringLiteral("0.5"));
  EnterOption(*pictures, "tilt", QStringLiteral("0.02"));
  ASSERT_TRUE(WaitForPictures(*pictures, kLayoutPage));
  ASSERT_EQ(pictures->Views(kLayoutPage).size(), 2u);
  ASSERT_TRUE(pictures->SaveChosen(folder.File("layout.svg"), true));
  QTest::mouseClick(pictures->Views(kLayoutPage)[1], Qt::LeftButton);  // the spots
  ASSERT_EQ(pictures->ChosenView(), pictures->Views(kLayoutPage)[1]);
  ASSERT_TRUE(pictures->SaveChosen(folder.File("spots.svg"), true));
  RunCommandLine(spekulor::cli::AddTraceOptions, spekulor::cli::RunTraceCommand,
                 {"--despace", "0.5", "--tilt", "0.02", "--layout", folder.File("cli-layout.svg"),
                  "--spots", folder.File("cli-spots.svg")});
  EXPECT_EQ(ReadFileBytes(folder.File("layout.svg")), ReadFileBytes(folder.File("cli-layout.svg")));
  EXPECT_EQ(ReadFileBytes(folder.File("spots.svg")), ReadFileBytes(folder.File("cli-spots.svg")));

  pictures->Tabs()->setCurrentIndex(kBafflesPage);
  ASSERT_TRUE(WaitForPictures(*pictures, kBafflesPage));
  ASSERT_TRUE(pictures->SaveChosen(folder.File("baffles.svg"), true));
  RunCommandLine(spekulor::cli::AddBafflesOptions, spekulor::cli::RunBafflesCommand,
                 {"--focus-clearance", "50", "--svg", folder.File("cli-baffles.svg")});
  EXPECT_EQ(ReadFileBytes(folder.File("baffles.svg")), ReadFileBytes(folder.File("cli-baffles.svg")));
}

TEST_F(PicturesWorkbench, SaveAsPngWritesTheChosenPictureAtTheZoomShown) {
  Open();
  const spekulor::drawing::Drawing& layout = pictures->Views(kLayoutPage)[0]->drawing();
  ASSERT_TRUE(pictures->SaveChosen(folder.File("fitted.png"), false));
  QImage fitted(QString::fromStdString(folder.File("fitted.png")));
  ASSERT_FALSE(fitted.isNull());
  EXPECT_EQ(fitted.size(), QSize(static_cast<int>(std::ceil(layout.width)),
                                 static_cast<int>(std::ceil(layout.height))));
  pictures->SetZoom(2.0);
  ASSERT_TRUE(pictures->SaveChosen(folder.File("zoomed.png"), false));
  const QImage zoomed(QString::fromStdString(folder.File("zoomed.png")));
  EXPECT_EQ(zoomed.size(), QSize(static_cast<int>(std::ceil(2.0 * layout.width)),
                                 static_cast<int>(std::ceil(2.0 * layout.height))));
  // Ink where the window shows ink: the picture is drawn, on white.
  EXPECT_EQ(fitted.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_FALSE(fitted.allGray() && fitted.pixel(fitted.width() / 2, fitted.height() / 2) ==
                                       qRgb(255, 255, 255));
  // A file that cannot be written: the box, and false.
  AnswerNextModal([](QWidget* box) {
    EXPECT_TRUE(MessageBoxText(box).startsWith(QStringLiteral("Error writing")));
    box->close();
  });
  EXPECT_FALSE(pictures->SaveChosen(folder.File("no such folder/x.png"), false));
}

int PdfPages(const std::string& path) {
  const QByteArray pdf = QByteArray::fromStdString(ReadFileBytes(path));
  EXPECT_TRUE(pdf.startsWith("%PDF"));
  return static_cast<int>(
      QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}

TEST_F(PicturesWorkbench, PrintingAPageMakesOnePdfPageAPicture) {
  Open();
  QPrinter printer(QPrinter::ScreenResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(folder.File("layout.pdf")));
  ASSERT_TRUE(pictures->PrintShownPage(printer));
  EXPECT_EQ(PdfPages(folder.File("layout.pdf")), 2);

  pictures->Tabs()->setCurrentIndex(kBafflesPage);
  ASSERT_TRUE(WaitForPictures(*pictures, kBafflesPage));
  printer.setOutputFileName(QString::fromStdString(folder.File("baffles.pdf")));
  ASSERT_TRUE(pictures->PrintShownPage(printer));
  EXPECT_EQ(PdfPages(folder.File("baffles.pdf")),
            static_cast<int>(pictures->Views(kBafflesPage).size()));
}

// An option changes the page at once, and the next window starts with it.
TEST_F(PicturesWorkbench, OptionsChangeTheShownPageAndSurviveARestart) {
  Open();
  EXPECT_EQ(pictures->NoticeLabel(kLayoutPage), nullptr);
  const std::string alignedTitle = pictures->Views(kLayoutPage)[1]->drawing().title;
  EnterOption(*pictures, "decenter", QStringLiteral("0.3"));
  ASSERT_TRUE(WaitForPictures(*pictures, kLayoutPage));
  ASSERT_NE(pictures->NoticeLabel(kLayoutPage), nullptr);
  EXPECT_TRUE(pictures->NoticeLabel(kLayoutPage)->text().startsWith(QStringLiteral("Miscollimated")));
  EXPECT_TRUE(pictures->NoticeLabel(kLayoutPage)->isVisible());
  EXPECT_NE(pictures->Views(kLayoutPage)[1]->drawing().title, alignedTitle);

  pictures->Tabs()->setCurrentIndex(kQualityPage);
  auto* focus = qobject_cast<QComboBox*>(pictures->Options()->Field("focus"));
  ASSERT_NE(focus, nullptr);
  EXPECT_TRUE(focus->isVisible());  // the panel shows the shown tab's options
  EXPECT_FALSE(pictures->Options()->Field("decenter")->isVisible());
  focus->setCurrentIndex(0);
  emit focus->activated(0);
  EXPECT_EQ(pictures->Options()->Options().focusChoice, 0.0);

  pictures.reset();
  Open();
  EXPECT_EQ(pictures->Options()->Options().decenterMm, 0.3);
  EXPECT_EQ(pictures->Options()->Options().focusChoice, 0.0);
  EXPECT_EQ(qobject_cast<QLineEdit*>(pictures->Options()->Field("decenter"))->text(),
            QStringLiteral("0.3"));
  ASSERT_NE(pictures->NoticeLabel(kLayoutPage), nullptr);
}

// A value the command line refuses is refused with the same words, and changes nothing.
TEST_F(PicturesWorkbench, AValueTheCommandLineRefusesIsRefusedWithItsWords) {
  Open(kQualityPage);
  std::string cliMessage;
  try {
    RunCommandLine(spekulor::cli::AddQualityOptions, spekulor::cli::RunQualityCommand,
                   {"--wavelength", "120"});
  } catch (const CLI::ParseError& error) {
    cliMessage = error.what();
  }
  ASSERT_FALSE(cliMessage.empty());
  const int started = pictures->ComputationsStarted();
  EnterOption(*pictures, "wavelength", QStringLiteral("120"));
  const QString refusal = pictures->Options()->RefusalLabel(kQualityPage)->text();
  EXPECT_TRUE(refusal.startsWith(QStringLiteral("Wavelength: ")));
  EXPECT_NE(cliMessage.find(refusal.mid(12).toStdString()), std::string::npos)
      << cliMessage << " / " << refusal.toStdString();
  EXPECT_EQ(pictures->Options()->Options().wavelengthNm, kReferenceWavelengthNm);
  EXPECT_EQ(pictures->ComputationsStarted(), started);
}

TEST_F(PicturesWorkbench, PicturesScrollWhenLargerThanTheViewAndZoomWithTheKeys) {
  Open();
  PictureView* layout = pictures->Views(kLayoutPage)[0];
  pictures->resize(420, 360);
  QTest::qWait(50);
  // Fitted, a picture keeps three quarters of its size; the page scrolls instead.
  EXPECT_GE(layout->height(), static_cast<int>(0.75 * layout->drawing().height));
  auto* scroll = qobject_cast<QScrollArea*>(pictures->Tabs()->currentWidget());
  ASSERT_NE(scroll, nullptr);
  EXPECT_TRUE(scroll->verticalScrollBar()->isVisible());

  const int fitted = layout->width();
  QTest::keyClick(pictures.get(), Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_GT(pictures->Zoom(), 0.0);
  EXPECT_GT(layout->width(), fitted);
  const int larger = layout->width();
  QTest::keyClick(pictures.get(), Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_LT(layout->width(), larger);
  // Ctrl+wheel over a picture zooms.
  const double before = pictures->Zoom();
  QWheelEvent wheel(QPointF(10, 10), layout->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, 120),
                    Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(layout, &wheel);
  EXPECT_GT(pictures->Zoom(), before);
  QTest::keyClick(pictures.get(), Qt::Key_0, Qt::ControlModifier);  // Fit
  EXPECT_EQ(pictures->Zoom(), 0.0);
}

// Beside the main window when the screen has room, else the main window moves to make
// it; never over the main window.
TEST(PicturesPlacement, BesideTheMainWindowNeverOverIt) {
  const QRect screen(0, 0, 1400, 1000);
  const QRect centred(400, 200, 600, 560);
  const PicturesPlacement moved = PlacePictures(centred, screen, QSize(960, 1000), 300);
  EXPECT_EQ(moved.mainTo, QPoint(0, 200));
  const QRect mainThere(moved.mainTo, centred.size());
  EXPECT_FALSE(moved.pictures.intersects(mainThere));
  EXPECT_TRUE(screen.contains(moved.pictures));
  EXPECT_GE(moved.pictures.width(), kLeastPicturesWidth);

  const QRect atLeft(0, 100, 600, 560);
  const PicturesPlacement right = PlacePictures(atLeft, screen, QSize(700, 900), 300);
  EXPECT_EQ(right.mainTo, atLeft.topLeft());
  EXPECT_EQ(right.pictures, QRect(600, 0, 700, 900));
  const QRect atRight(800, 100, 600, 560);
  const PicturesPlacement left = PlacePictures(atRight, screen, QSize(1000, 900), 300);
  EXPECT_EQ(left.pictures, QRect(0, 0, 800, 900));

  // A screen too small for both: below the fields.
  const QRect small(0, 0, 800, 600);
  const PicturesPlacement below = PlacePictures(QRect(100, 20, 600, 560), small, QSize(960, 900), 300);
  EXPECT_GE(below.pictures.top(), 320);
  EXPECT_TRUE(small.contains(below.pictures));
}

class WorkbenchWindowTest : public OpenWindowTest {};

// A window of its own (no transient parent for the window manager to keep it above),
// and where the user left it the next time.
TEST_F(WorkbenchWindowTest, ThePicturesWindowIsItsOwnAndKeepsItsPlace) {
  window.MenuAction(IDM_VIEW_LAYOUT)->trigger();
  PicturesWindow* pictures = window.Pictures();
  ASSERT_NE(pictures, nullptr);
  EXPECT_EQ(pictures->parentWidget(), nullptr);
  ASSERT_NE(pictures->windowHandle(), nullptr);
  EXPECT_EQ(pictures->windowHandle()->transientParent(), nullptr);
  // Not over the main window's fields (the offscreen screen is too small for both side
  // by side: below them).
  for (int id : {IDC_PRI_DIA, IDC_SEC_CC, IDC_UNIT_INCH, IDC_CALC_OSLO}) {
    const QWidget* control = window.Control(id);
    const QRect onScreen(control->mapToGlobal(QPoint(0, 0)), control->size());
    EXPECT_FALSE(pictures->frameGeometry().intersects(onScreen)) << id;
  }

  TempDir folder;
  QPoint place;
  QSize size;
  {
    PicturesWindow first(WindowStore(folder.File("window.ini")));
    first.show();
    // A size of its own, above the least its tabs' panels allow.
    size = first.minimumSizeHint().expandedTo(QSize(640, 480)) + QSize(16, 12);
    first.setGeometry(30, 40, size.width(), size.height());
    place = first.pos();  // the frame's
    first.hide();
  }
  PicturesWindow second(WindowStore(folder.File("window.ini")));
  second.PlaceBeside(&window, 300);
  EXPECT_EQ(second.size(), size);
  EXPECT_EQ(second.pos(), place);
}

TEST_F(WorkbenchWindowTest, CtrlOOpensTheOpenDialogAndCtrlSTheSaveDialog) {
  for (const auto& [key, accept] : {std::pair{Qt::Key_O, QFileDialog::AcceptOpen},
                                    std::pair{Qt::Key_S, QFileDialog::AcceptSave}}) {
    bool asked = false;
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    AnswerNextModal(
        [&asked, accept = accept](QWidget* modal) {
          auto* dialog = qobject_cast<QFileDialog*>(modal);
          asked = dialog != nullptr && dialog->acceptMode() == accept;
          modal->close();
        },
        &window);
    QTest::keyClick(&window, key, Qt::ControlModifier);
    EXPECT_TRUE(asked) << key;
  }
}

TEST_F(WorkbenchWindowTest, CtrlNClearsAndAltFOpensTheFileMenu) {
  Edit(IDC_PRI_DIA)->setText(QStringLiteral("123"));
  QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(Edit(IDC_PRI_DIA)->text().toStdString(), DesignFields().m_strPriDia);
  EXPECT_EQ(window.MenuAction(ID_FILE_OPEN)->shortcut(), QKeySequence(QKeySequence::Open));
  EXPECT_EQ(window.PrintAction()->shortcut(), QKeySequence(QKeySequence::Print));
}

TEST_F(WorkbenchWindowTest, F1OpensTheUserGuideMadeFromTheReadme) {
  QTest::keyClick(&window, Qt::Key_F1);
  ASSERT_NE(window.Guide(), nullptr);
  EXPECT_TRUE(window.Guide()->isVisible());
  const QString text = window.Guide()->Browser()->toPlainText();
  for (const char* section : {"The window", "Layout and spot diagrams", "Baffles and central hole",
                              "Image quality", "Imaging with a camera",
                              "Collimation and tolerances"}) {
    EXPECT_TRUE(text.contains(QString::fromLatin1(section))) << section;
  }
  // The README's own section, as it is now, not a copy made once.
  QFile readme(QStringLiteral(SPEKULOR_SOURCE_DIR "/README.md"));
  ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
  const QString source = QString::fromUtf8(readme.readAll());
  const qsizetype start = source.indexOf(QStringLiteral("\n## The window\n"));
  ASSERT_GE(start, 0);
  const qsizetype end = source.indexOf(QStringLiteral("\n## "), start + 1);
  const QString section = source.mid(start, end - start);
  EXPECT_TRUE(UserGuideMarkdown().contains(section));
  EXPECT_FALSE(UserGuideMarkdown().contains(QStringLiteral("## Building by hand")));
  window.Guide()->close();

  // F1 in the pictures window too.
  window.MenuAction(IDM_VIEW_LAYOUT)->trigger();
  ASSERT_NE(window.Pictures(), nullptr);
  EXPECT_FALSE(window.Guide()->isVisible());
  QTest::keyClick(window.Pictures(), Qt::Key_F1);
  EXPECT_TRUE(window.Guide()->isVisible());
  window.Guide()->close();
}

TEST_F(WorkbenchWindowTest, EveryEntryFieldSaysWhatItIs) {
  for (int id : {IDC_PRI_DIA, IDC_FIELD, IDC_PRI_FOC, IDC_SYS_FOC, IDC_BACK_FOC_LEN,
                 IDC_SEC_SYS_DIST, IDC_SEC_PRI_DIST, IDC_SEC_RAD_CUR, IDC_PRI_CC, IDC_SEC_CC}) {
    EXPECT_FALSE(window.Control(id)->toolTip().isEmpty()) << id;
  }
  EXPECT_TRUE(window.Control(IDC_SYS_FOC)->toolTip().contains(QStringLiteral("back focal length")));
}

TEST_F(WorkbenchWindowTest, RecentFilesAreListedAndAMissingOneIsPruned) {
  TempDir folder;
  const std::string path = folder.File("recent.spekulor");
  const spekulor::files::DesignFileEntry* refused = nullptr;
  spekulor::files::FileProblem problem;
  ASSERT_EQ(spekulor::files::SaveDesignFile(path, DesignFields(), &refused, &problem),
            spekulor::files::DesignFileStatus::Ok);
  dlg.OpenDesignPath(path);
  ASSERT_FALSE(window.RecentFileActions().empty());
  QAction* newest = window.RecentFileActions().front();
  EXPECT_TRUE(newest->text().startsWith(QStringLiteral("&1 ")));
  EXPECT_TRUE(newest->text().endsWith(QStringLiteral("recent.spekulor")));
  const size_t listed = window.RecentFileActions().size();

  ASSERT_EQ(std::remove(path.c_str()), 0);
  QString said;
  AnswerNextModal(
      [&said](QWidget* box) {
        said = MessageBoxText(box);
        box->close();
      },
      &window);
  newest->trigger();
  EXPECT_TRUE(said.contains(QStringLiteral("no longer there"))) << said.toStdString();
  EXPECT_EQ(window.RecentFileActions().size(), listed - 1);
  for (QAction* action : window.RecentFileActions()) {
    EXPECT_FALSE(action->text().endsWith(QStringLiteral("recent.spekulor")));
  }
}

TEST_F(WorkbenchWindowTest, TheReportPrintsToPdf) {
  QTest::keyClick(Edit(IDC_PRI_DIA), Qt::Key_Return);  // Calculate
  TempDir folder;
  QPrinter printer(QPrinter::ScreenResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(folder.File("report.pdf")));
  ASSERT_TRUE(window.PrintReport(printer));
  EXPECT_GE(PdfPages(folder.File("report.pdf")), 1);
}

}  // namespace
