// View > Layout and spot diagrams: the command through the scripted platform, and the
// real dialog with its QPainter back end, offscreen.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTest>

#include "DesignPictures.h"
#include "LayoutDialog.h"
#include "ModalHelper.h"
#include "PictureView.h"
#include "QtTelescopeWindow.h"
#include "ScriptedPlatform.h"
#include "SpotDiagram.h"
#include "TelescopeDlg.h"
#include "QtText.h"

namespace {

TEST(ViewLayoutCommand, ShowsBothPicturesAndLeavesTheReport) {
  ScriptedPlatform platform;
  CTelescopeDlg dlg(platform, nullptr);
  dlg.OnInitDialog();  // the start-up values
  dlg.m_strReport = "earlier report";
  dlg.UpdateData(false);
  dlg.OnCommand(IDM_VIEW_LAYOUT);
  ASSERT_EQ(platform.shownPictures.size(), 1u);
  EXPECT_TRUE(platform.messageBoxes.empty());
  EXPECT_EQ(dlg.m_strReport, "earlier report");
  EXPECT_EQ(platform.texts[IDC_REPORT], "earlier report");
  const DesignPictures expected = DrawDesignPictures(DesignFields(), kDefaultSpotRays);
  EXPECT_EQ(platform.shownPictures[0].first.title, expected.layout.title);
  EXPECT_EQ(platform.shownPictures[0].second.shapes.size(), expected.spots.shapes.size());
}

TEST(ViewLayoutCommand, RefusedDesignShowsTheNumberedBox) {
  ScriptedPlatform platform;
  CTelescopeDlg dlg(platform, nullptr);
  dlg.OnInitDialog();  // the start-up values
  dlg.m_strPriDia.clear();
  dlg.UpdateData(false);
  dlg.OnCommand(IDM_VIEW_LAYOUT);
  EXPECT_TRUE(platform.shownPictures.empty());
  ASSERT_EQ(platform.messageBoxes.size(), 1u);
  // The very box Calculate shows for the same inputs.
  dlg.OnCommand(IDM_CALCULATE_RESULTS);
  ASSERT_EQ(platform.messageBoxes.size(), 2u);
  EXPECT_EQ(platform.messageBoxes[0], platform.messageBoxes[1]);
  EXPECT_EQ(platform.messageBoxes[0].rfind("Error 1\r\n", 0), 0u);

  // Completed but not traceable: the secondary without power.
  dlg.m_strPriDia = "400";
  dlg.m_strSysFoc = "1000";
  dlg.UpdateData(false);
  dlg.OnCommand(IDM_VIEW_LAYOUT);
  ASSERT_EQ(platform.messageBoxes.size(), 3u);
  EXPECT_EQ(platform.messageBoxes[2].rfind("Cannot trace this design: ", 0), 0u);
  EXPECT_TRUE(platform.shownPictures.empty());
}

// The QPainter back end puts ink where the drawing has it: the primary's blank in the
// layout, the spots' dots in the spot picture.
TEST(PictureView, PainterDrawsTheDrawing) {
  const DesignPictures pictures = DrawDesignPictures(DesignFields(), 500);
  ASSERT_TRUE(pictures.ok());
  for (const Drawing* drawing : {&pictures.layout, &pictures.spots}) {
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

TEST(LayoutDialog, MenuItemOpensTheDialogWithBothPictures) {
  QtTelescopeWindow window;
  CTelescopeDlg dlg(window, nullptr);
  window.Open(dlg);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

  // "View" follows "Edit" in the menu bar.
  QStringList menus;
  for (QAction* action : window.MainMenuBar()->actions()) {
    if (action->menu() != nullptr) menus << action->text();
  }
  const int edit = static_cast<int>(menus.indexOf(QStringLiteral("Edit")));
  ASSERT_GE(edit, 0);
  ASSERT_LT(edit + 1, menus.size());
  EXPECT_EQ(menus[edit + 1], QStringLiteral("View"));
  QAction* item = window.MenuAction(IDM_VIEW_LAYOUT);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->text(), QStringLiteral("Layout and spot diagrams..."));

  bool seen = false;
  AnswerNextModal(
      [&](QWidget* widget) {
        auto* dialog = qobject_cast<LayoutDialog*>(widget);
        ASSERT_NE(dialog, nullptr);
        seen = true;
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Layout and spot diagrams"));
        EXPECT_TRUE(dialog->LayoutView()->isVisible());
        EXPECT_TRUE(dialog->SpotsView()->isVisible());
        EXPECT_GT(dialog->LayoutView()->width(), 200);
        EXPECT_EQ(dialog->LayoutView()->drawing().title,
                  std::string("Ritchey-Chr\xE9tien telescope in section"));
        const QImage shot = dialog->SpotsView()->grab().toImage();
        EXPECT_FALSE(shot.isNull());
        dialog->reject();
      },
      &window);
  item->trigger();
  EXPECT_TRUE(seen);
  window.done(0);
}

}  // namespace
