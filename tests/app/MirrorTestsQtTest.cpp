// The pictures window's page "Mirror tests" on Qt, offscreen: View opens it, readings
// typed into the zone table are reduced as they are typed, the mask is saved through
// the real file dialog and printed to a PDF at 1:1, and the refit runs off the
// window's thread; each against the mirror-test library run directly.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <string>

#include "app/MirrorTestsPanel.h"
#include "app/PictureView.h"
#include "app/PicturesWindow.h"
#include "app/QtText.h"
#include "calc/OpticalConstants.h"
#include "dialog/MirrorTestsPage.h"
#include "drawing/SvgWriter.h"
#include "mirrortests/CouderMask.h"
#include "mirrortests/MirrorTestTable.h"
#include "mirrortests/SecondaryTestText.h"
#include "tests/app/ModalHelper.h"
#include "tests/app/OpenWindowTest.h"
#include "tests/app/PageWait.h"
#include "tests/common/TestFiles.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::mirrortests;
using namespace spekulor::dialog;

namespace {

// The first content stream of a PDF, inflated: Qt's PDF writer deflates its streams.
QString PageContent(const std::string& pdf) {
  const size_t start = pdf.find("stream\n");
  const size_t end = pdf.find("endstream", start);
  if (start == std::string::npos || end == std::string::npos) return {};
  // qUncompress wants the inflated size first, big-endian; it grows a short guess.
  QByteArray packed("\x00\x10\x00\x00", 4);
  packed.append(pdf.data() + start + 7, static_cast<qsizetype>(end - start - 7));
  return QString::fromLatin1(qUncompress(packed));
}

class MirrorTestsQtTest : public OpenWindowTest {
 protected:
  // View > Mirror tests... on the start-up design, the page computed.
  MirrorTestsPanel* OpenPage() {
    QAction* item = window.MenuAction(IDM_VIEW_MIRROR_TESTS);
    if (item == nullptr) return nullptr;
    item->trigger();
    PicturesWindow* pictures = window.Pictures();
    if (pictures == nullptr) return nullptr;
    if (!QTest::qWaitFor([pictures] { return pictures->MirrorTests() != nullptr; }, kPageWaitMs)) {
      return nullptr;
    }
    return pictures->MirrorTests();
  }
  const Calculation& Design(MirrorTestsPanel* panel) const { return *panel->Sheet().Design(); }
};

TEST_F(MirrorTestsQtTest, TheViewItemOpensThePageWithItsPicturesAndTable) {
  QAction* item = window.MenuAction(IDM_VIEW_MIRROR_TESTS);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->text(), QStringLiteral("Mirror tests..."));
  MirrorTestsPanel* panel = OpenPage();
  ASSERT_NE(panel, nullptr);
  PicturesWindow* pictures = window.Pictures();
  EXPECT_EQ(pictures->Tabs()->currentIndex(), kMirrorTestsPage);
  EXPECT_EQ(pictures->Tabs()->tabText(kMirrorTestsPage), QStringLiteral("Mirror tests"));
  // The start-up Ritchey-Chretien: mask, Ronchigrams and the Hindle test.
  ASSERT_EQ(pictures->Views(kMirrorTestsPage).size(), 3u);
  EXPECT_EQ(pictures->RefusalLabel(kMirrorTestsPage), nullptr);
  EXPECT_EQ(pictures->Views(kMirrorTestsPage)[0]->drawing().physicalUnit, "mm");
  EXPECT_TRUE(panel->isVisible());
  const MirrorTestPage figures = DefaultMirrorTests(Design(panel));
  QTableWidget* table = panel->Table();
  ASSERT_EQ(table->rowCount(), static_cast<int>(figures.zones.size()));
  EXPECT_EQ(table->horizontalHeaderItem(kMeasuredColumn)->text(), QStringLiteral("Measured"));
  EXPECT_EQ(table->item(0, kExpectedColumn)->text().toStdString(),
            FormatFixed(figures.readings[0], 3));
  EXPECT_TRUE(panel->MeasuredEdit(0)->isVisible());
}

TEST_F(MirrorTestsQtTest, TypedReadingsAreReducedAsTheyAreTyped) {
  MirrorTestsPanel* panel = OpenPage();
  ASSERT_NE(panel, nullptr);
  const Calculation& design = Design(panel);
  const MirrorTestPage plain = DefaultMirrorTests(design);
  MirrorTestOptions options;
  std::vector<QString> typed;
  for (size_t i = 0; i < plain.readings.size(); ++i) {
    // Four decimals, as a maker reads a micrometer.
    const std::string text = FormatFixed(plain.readings[i] + 0.05 * static_cast<double>(i % 2), 4);
    typed.push_back(QString::fromStdString(text));
    options.readings.push_back(std::stod(text));
  }
  const MirrorTestPage command = RunMirrorTests(design.design, design.read.unit, options);
  ASSERT_TRUE(command.reduction.has_value());
  for (size_t i = 0; i < typed.size(); ++i) {
    EXPECT_TRUE(panel->Table()->item(0, kSurfaceColumn)->text().isEmpty());
    QTest::keyClicks(panel->MeasuredEdit(static_cast<int>(i)), typed[i]);
  }
  EXPECT_EQ(panel->ReductionLabel()->text(),
            FromWindows1252(ReductionSummaryLines(command, *command.reduction)));
  for (int row = 0; row < panel->Table()->rowCount(); ++row) {
    EXPECT_EQ(panel->Table()->item(row, kSurfaceColumn)->text().toStdString(),
              FormatFixed(command.reduction->surfaceErrorNm[static_cast<size_t>(row)], 1));
  }
  // A comma typed into the second reading: named, and the reduction gone.
  QLineEdit* second = panel->MeasuredEdit(1);
  second->clear();
  QTest::keyClicks(second, QStringLiteral("1,5"));
  EXPECT_EQ(panel->ReductionLabel()->text(),
            QStringLiteral("Cannot reduce the readings: reading 2 is not a finite number\n"));
  EXPECT_TRUE(panel->Table()->item(1, kSurfaceColumn)->text().isEmpty());
}

TEST_F(MirrorTestsQtTest, SaveMaskWritesTheMaskThroughTheFileDialog) {
  MirrorTestsPanel* panel = OpenPage();
  ASSERT_NE(panel, nullptr);
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  AnswerNextModal([&](QWidget* dialog) { TypeIntoFileDialog(dialog, folder.filePath("mask")); },
                  window.Pictures());
  QTest::mouseClick(panel->SaveMaskButton(), Qt::LeftButton);
  const MirrorTestPage figures = DefaultMirrorTests(Design(panel));
  EXPECT_EQ(ReadFileBytes(folder.filePath("mask.svg").toStdString()),
            WriteSvg(DrawCouderMask(figures.primary, figures.zones)));
}

// Printed to a PDF file, the page is the mask's own size: one millimetre of the design
// is one on paper (72 / 25.4 points).
TEST_F(MirrorTestsQtTest, PrintMaskMakesAPdfPageOfTheMasksSize) {
  MirrorTestsPanel* panel = OpenPage();
  ASSERT_NE(panel, nullptr);
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(folder.filePath("mask.pdf"));
  ASSERT_TRUE(panel->PrintMask(printer));
  const QString pdf = QString::fromLatin1(ReadFileBytes(folder.filePath("mask.pdf").toStdString()));
  ASSERT_TRUE(pdf.startsWith(QStringLiteral("%PDF-")));
  const QRegularExpression box(QStringLiteral(
      "/MediaBox \\[\\s*([-0-9.]+)\\s+([-0-9.]+)\\s+([-0-9.]+)\\s+([-0-9.]+)\\s*\\]"));
  const QRegularExpressionMatch media = box.match(pdf);
  ASSERT_TRUE(media.hasMatch());
  const Drawing mask = panel->Sheet().Mask();
  const double points = 72.0 / 25.4;
  EXPECT_NEAR(media.captured(3).toDouble() - media.captured(1).toDouble(), mask.width * points, 1.0);
  EXPECT_NEAR(media.captured(4).toDouble() - media.captured(2).toDouble(), mask.height * points,
              1.0);
  // The page's content: the device's points per dot, then the drawing's units scaled
  // to dots, its white ground the first thing painted.
  const QString content = PageContent(ReadFileBytes(folder.filePath("mask.pdf").toStdString()));
  const QRegularExpression device(QStringLiteral("([0-9.]+) 0 0 -([0-9.]+) 0 [0-9.]+ cm"));
  const QRegularExpression ground(QStringLiteral(
      "([0-9.]+) 0 0 ([0-9.]+) [-0-9.]+ [-0-9.]+ cm\\n0 0 ([0-9.]+) ([0-9.]+) re\\nf"));
  const QRegularExpressionMatch dots = device.match(content);
  const QRegularExpressionMatch drawn = ground.match(content);
  ASSERT_TRUE(dots.hasMatch()) << content.left(300).toStdString();
  ASSERT_TRUE(drawn.hasMatch()) << content.left(600).toStdString();
  EXPECT_NEAR(dots.captured(1).toDouble() * drawn.captured(1).toDouble(), points, 1e-6);
  EXPECT_NEAR(dots.captured(2).toDouble() * drawn.captured(2).toDouble(), points, 1e-6);
  EXPECT_NEAR(drawn.captured(3).toDouble(), mask.width, 1e-6);
  EXPECT_NEAR(drawn.captured(4).toDouble(), mask.height, 1e-6);
}

TEST_F(MirrorTestsQtTest, TheRefitButtonShowsTheRefitsLines) {
  MirrorTestsPanel* panel = OpenPage();
  ASSERT_NE(panel, nullptr);
  const Calculation& design = Design(panel);
  panel->PrimaryRocEdit()->setText(QStringLiteral("2010.5"));
  panel->PrimaryConicEdit()->setText(QStringLiteral("-1.05"));
  panel->KeepFocalLengthRadio()->setChecked(true);
  QSignalSpy shown(panel, &MirrorTestsPanel::RefitShown);
  QTest::mouseClick(panel->RefitButton(), Qt::LeftButton);
  ASSERT_TRUE(shown.wait(kPageWaitMs));
  RefitRequest request;
  request.primaryRoc = 2010.5;
  request.primaryConic = -1.05;
  request.keep = RefitKeep::FocalLength;
  const RefitResult refit = RefitTelescope(design.design, request, kWavelengthMm);
  ASSERT_EQ(refit.problem, RefitProblem::None);
  EXPECT_EQ(panel->RefitTextBox()->toPlainText(),
            FromWindows1252(JoinLines(RefitLines(design.design, request, refit, design.read.type,
                                                 design.read.unit, kReferenceWavelengthNm))));
  EXPECT_TRUE(panel->RefitButton()->isEnabled());
}

}  // namespace
