// The pictures window on Qt, offscreen: the QPainter back end, View opening the
// modeless window, and the window following Calculate.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <string>
#include <vector>

#include "trace/DesignPictures.h"
#include "tests/app/ModalHelper.h"
#include "tests/app/PageWait.h"
#include "app/PictureView.h"
#include "app/PicturesWindow.h"
#include "app/QtTelescopeWindow.h"
#include "trace/SpotDiagram.h"
#include "dialog/TelescopeDlg.h"
#include "app/QtText.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::trace;
using namespace spekulor::dialog;

namespace {

// Long enough for any page on a loaded machine; the wait ends as soon as it is drawn.
// Processes events until tab `page` shows a computed page (its pictures or refusal).
bool WaitForPage(PicturesWindow* pictures, int page) {
  return QTest::qWaitFor(
      [pictures, page] {
        return pictures->BusyLabel(page) == nullptr &&
               (!pictures->Views(page).empty() || pictures->RefusalLabel(page) != nullptr);
      },
      kPageWaitMs);
}

// The QPainter back end puts ink where the drawing has it: the primary's blank in the
// layout, the spots' dots in the spot picture.
TEST(PictureView, PainterDrawsTheDrawing) {
  const DesignPictures pictures = DrawDesignPictures(CompleteDesign(DesignFields()), 500);
  ASSERT_TRUE(pictures.ok());
  for (const Drawing* drawing : {&pictures.layout, &pictures.spotDrawing}) {
    QImage image(static_cast<int>(drawing->width), static_cast<int>(drawing->height),
                 QImage::Format_RGB32);
    image.fill(Qt::black);
    {
      QPainter painter(&image);
      PaintDrawing(painter, *drawing);
    }
    int inked = 0;
    for (int y = 0; y < image.height(); y += 2) {
      for (int x = 0; x < image.width(); x += 2) {
        if (image.pixel(x, y) != qRgb(255, 255, 255)) ++inked;
      }
    }
    const int total = image.width() * image.height() / 4;
    EXPECT_GT(inked, total / 200) << drawing->title;  // something is drawn
    EXPECT_LT(inked, total / 2) << drawing->title;    // on a white background
  }
}

// Dots are discs of their radius around their centres, at the drawing's own scale
// and scaled down: ink at each centre, none beyond the radius, whatever the scale.
TEST(PictureView, DotsAreDiscsOfTheirRadius) {
  Drawing drawing;
  drawing.width = 200.0;
  drawing.height = 100.0;
  DotsShape dots;
  dots.colour = Colour{200, 0, 0};
  dots.radius = 4.0;
  for (int i = 0; i < 8; ++i) dots.centres.push_back({20.0 + 20.0 * i, 50.0});
  drawing.shapes.push_back(dots);
  for (const double scale : {1.0, 0.5, 2.0}) {
    SCOPED_TRACE(scale);
    QImage image(static_cast<int>(drawing.width * scale), static_cast<int>(drawing.height * scale),
                 QImage::Format_RGB32);
    {
      QPainter painter(&image);
      painter.scale(scale, scale);
      PaintDrawing(painter, drawing);
    }
    for (const DrawPoint& centre : dots.centres) {
      const QPoint at(static_cast<int>(centre.x * scale), static_cast<int>(centre.y * scale));
      const QColor inside = image.pixelColor(at);
      EXPECT_GT(inside.red(), 150) << centre.x;
      EXPECT_LT(inside.green(), 100) << centre.x;
      // Twice the radius away, across and along the row: white.
      for (const QPointF away : {QPointF(0.0, 2.0 * dots.radius), QPointF(0.0, -2.0 * dots.radius),
                                 QPointF(10.0, 0.0)}) {
        const QPoint there = ((QPointF(centre.x, centre.y) + away) * scale).toPoint();
        EXPECT_EQ(image.pixel(there), qRgb(255, 255, 255)) << centre.x;
      }
    }
  }
}

TEST(PicturesWindowTest, EveryViewItemOpensItsTab) {
  QtTelescopeWindow window;
  CTelescopeDlg dlg(window);
  window.Open(dlg);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  const std::pair<int, const char*> items[] = {
      {IDM_VIEW_QUALITY, "Image quality"},
      {IDM_VIEW_BAFFLES, "Baffles and hole"},
      {IDM_VIEW_COLLIMATION, "Collimation"},
      {IDM_VIEW_MIRROR_TESTS, "Mirror tests"},
      {IDM_VIEW_CAMERA, "Camera"},
      {IDM_VIEW_LAYOUT, "Layout and spot diagrams"},
  };
  for (const auto& [id, title] : items) {
    QAction* item = window.MenuAction(id);
    ASSERT_NE(item, nullptr) << title;
    EXPECT_EQ(item->text(), QString::fromLatin1(title) + QStringLiteral("..."));
    item->trigger();
    PicturesWindow* pictures = window.Pictures();
    ASSERT_NE(pictures, nullptr);
    EXPECT_EQ(pictures->Tabs()->tabText(pictures->Tabs()->currentIndex()),
              QString::fromLatin1(title));
    ASSERT_TRUE(WaitForPage(pictures, pictures->Tabs()->currentIndex())) << title;
    EXPECT_FALSE(pictures->Views(pictures->Tabs()->currentIndex()).empty()) << title;
  }
  window.done(0);
}

TEST(PicturesWindowTest, ViewOpensTheModelessWindowThatFollowsCalculate) {
  QtTelescopeWindow window;
  CTelescopeDlg dlg(window);
  window.Open(dlg);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

  // "View" follows "Edit" in the menu bar (as shown: without the mnemonics' ampersands).
  QStringList menus;
  for (QAction* action : window.MainMenuBar()->actions()) {
    if (action->menu() != nullptr) menus << QString(action->text()).remove(QLatin1Char('&'));
  }
  const int edit = static_cast<int>(menus.indexOf(QStringLiteral("Edit")));
  ASSERT_GE(edit, 0);
  ASSERT_LT(edit + 1, menus.size());
  EXPECT_EQ(menus[edit + 1], QStringLiteral("View"));
  QAction* item = window.MenuAction(IDM_VIEW_LAYOUT);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->text(), QStringLiteral("Layout and spot diagrams..."));

  // Modeless: the menu item returns with the window open beside the main window.
  item->trigger();
  PicturesWindow* pictures = window.Pictures();
  ASSERT_NE(pictures, nullptr);
  EXPECT_TRUE(pictures->isVisible());
  EXPECT_FALSE(pictures->isModal());
  EXPECT_EQ(pictures->Tabs()->currentIndex(), kLayoutPage);
  EXPECT_EQ(pictures->Tabs()->tabText(kLayoutPage), QStringLiteral("Layout and spot diagrams"));
  ASSERT_TRUE(WaitForPage(pictures, kLayoutPage));
  ASSERT_EQ(pictures->Views(kLayoutPage).size(), 2u);
  PictureView* layout = pictures->Views(kLayoutPage)[0];
  PictureView* spots = pictures->Views(kLayoutPage)[1];
  EXPECT_TRUE(layout->isVisible());
  EXPECT_TRUE(spots->isVisible());
  EXPECT_GT(layout->width(), 200);
  EXPECT_EQ(layout->drawing().title, std::string("Ritchey-Chr\xE9tien telescope in section"));
  EXPECT_FALSE(spots->grab().toImage().isNull());

  // A successful Calculate redraws the open window with the new design.
  static_cast<QRadioButton*>(window.Control(IDC_TYPE_CLASSICAL))->setChecked(true);
  QTest::mouseClick(static_cast<QPushButton*>(window.Control(IDOK)), Qt::LeftButton);
  ASSERT_TRUE(WaitForPage(pictures, kLayoutPage));
  EXPECT_EQ(pictures->Views(kLayoutPage).at(0)->drawing().title,
            std::string("Classical cassegrain telescope in section"));
  pictures->reject();
  EXPECT_FALSE(window.PicturesOpen());
  window.done(0);
}

TEST(PicturesWindowTest, APageWithARefusalShowsItsText) {
  PicturesWindow pictures;
  PictureSet set;
  PicturePage page;
  page.title = "Layout and spot diagrams";
  page.refusal = "Cannot trace this design: the secondary has no power";
  set.pages.push_back(page);
  pictures.SetPictures(set);
  ASSERT_NE(pictures.RefusalLabel(0), nullptr);
  EXPECT_EQ(pictures.RefusalLabel(0)->text(),
            QStringLiteral("Cannot trace this design: the secondary has no power"));
  EXPECT_TRUE(pictures.Views(0).empty());
}

// Baffles that cannot be planned: View > Baffles and hole shows why, and under the
// reason the focus travel's table.
TEST(PicturesWindowTest, TheBafflesPageShowsTheReasonAboveTheFocusTravel) {
  QtTelescopeWindow window;
  CTelescopeDlg dlg(window);
  window.Open(dlg);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  window.SetControlText(IDC_FIELD, "3");
  window.MenuAction(IDM_VIEW_BAFFLES)->trigger();
  PicturesWindow* pictures = window.Pictures();
  ASSERT_NE(pictures, nullptr);
  EXPECT_EQ(pictures->Tabs()->currentIndex(), kBafflesPage);
  ASSERT_TRUE(WaitForPage(pictures, kBafflesPage));
  QLabel* reason = pictures->RefusalLabel(kBafflesPage);
  ASSERT_NE(reason, nullptr);
  EXPECT_TRUE(reason->text().startsWith(QStringLiteral("Cannot baffle this design: ")))
      << reason->text().toStdString();
  ASSERT_EQ(pictures->Views(kBafflesPage).size(), 1u);
  PictureView* travel = pictures->Views(kBafflesPage)[0];
  QApplication::processEvents();
  EXPECT_TRUE(reason->isVisible());
  EXPECT_TRUE(travel->isVisible());
  EXPECT_LE(reason->geometry().bottom(), travel->geometry().top());
  EXPECT_GT(travel->height(), reason->height());
  pictures->reject();
  window.done(0);
}

// While a page is computed the window's thread goes on: a zero timer posted after the
// View item fires before the page comes back, the tab shows its busy indicator, and
// the indicator goes when the pictures come.
TEST(PicturesWindowTest, TheWindowStaysResponsiveWhileAPageIsComputed) {
  QtTelescopeWindow window;
  CTelescopeDlg dlg(window);
  window.Open(dlg);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  for (const int id : {IDM_VIEW_COLLIMATION, IDM_VIEW_QUALITY}) {
    window.MenuAction(id)->trigger();
    PicturesWindow* pictures = window.Pictures();
    ASSERT_NE(pictures, nullptr);
    const int page = pictures->Tabs()->currentIndex();
    QSignalSpy shown(pictures, &PicturesWindow::PageShown);
    int shownWhenTimerFired = -1;
    QTimer::singleShot(0, &window, [&] { shownWhenTimerFired = static_cast<int>(shown.count()); });
    QLabel* busy = pictures->BusyLabel(page);
    ASSERT_NE(busy, nullptr);
    EXPECT_EQ(busy->text(), QStringLiteral("Computing..."));
    EXPECT_TRUE(pictures->Views(page).empty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownWhenTimerFired >= 0; }, kPageWaitMs));
    EXPECT_EQ(shownWhenTimerFired, 0);
    EXPECT_TRUE(busy->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.count() == 1; }, kPageWaitMs));
    EXPECT_EQ(shown.at(0).at(0).toInt(), page);
    EXPECT_EQ(pictures->BusyLabel(page), nullptr);
    EXPECT_FALSE(pictures->Views(page).empty());
  }
  window.Pictures()->reject();
  window.done(0);
}

// Calculate again while the first design's page is computed: the tab ends showing the
// second design's page, and never shows the first one's.
TEST(PicturesWindowTest, ASecondCalculateShowsOnlyTheSecondDesign) {
  QtTelescopeWindow window;
  CTelescopeDlg dlg(window);
  window.Open(dlg);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  window.MenuAction(IDM_VIEW_LAYOUT)->trigger();
  PicturesWindow* pictures = window.Pictures();
  ASSERT_NE(pictures, nullptr);
  std::vector<std::string> titlesShown;
  QObject::connect(pictures, &PicturesWindow::PageShown, pictures, [&](int page) {
    for (const PictureView* view : pictures->Views(page)) titlesShown.push_back(view->drawing().title);
  });
  ASSERT_NE(pictures->BusyLabel(kLayoutPage), nullptr);  // the first page is being computed
  static_cast<QRadioButton*>(window.Control(IDC_TYPE_CLASSICAL))->setChecked(true);
  QTest::mouseClick(static_cast<QPushButton*>(window.Control(IDOK)), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([pictures] { return pictures->ComputationsRunning() == 0; },
                              kPageWaitMs));
  EXPECT_EQ(pictures->ComputationsStarted(), 2);
  ASSERT_EQ(titlesShown.size(), 2u);  // the layout and the spots, once
  EXPECT_EQ(titlesShown[0], "Classical cassegrain telescope in section");
  ASSERT_FALSE(pictures->Views(kLayoutPage).empty());
  EXPECT_EQ(pictures->Views(kLayoutPage)[0]->drawing().title,
            std::string("Classical cassegrain telescope in section"));
  pictures->reject();
  window.done(0);
}

}  // namespace
