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
#include <QTabWidget>
#include <QTest>

#include "DesignPictures.h"
#include "ModalHelper.h"
#include "PictureView.h"
#include "PicturesWindow.h"
#include "QtTelescopeWindow.h"
#include "SpotDiagram.h"
#include "TelescopeDlg.h"
#include "QtText.h"

namespace {

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

}  // namespace
