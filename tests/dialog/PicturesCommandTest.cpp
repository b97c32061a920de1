// View > Layout and spot diagrams: the pictures window shows the last design a
// command completed, follows each successful Calculate while open, and never shows
// a design other than the report's.
#include <gtest/gtest.h>

#include "dialog/DesignPictureSet.h"
#include "trace/DesignPictures.h"
#include "tests/common/TestDesigns.h"
#include "tests/dialog/ScriptedPlatform.h"
#include "trace/SpotDiagram.h"
#include "dialog/TelescopeDlg.h"

using namespace spekulor::calc;
using namespace spekulor::trace;
using namespace spekulor::dialog;

namespace {

class PicturesCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { dlg.OnInitDialog(); }

  // The layout page's title names the design type: "<type> telescope in section".
  static std::string LayoutTitle(const PicturePage* page) {
    return page == nullptr || page->drawings.empty() ? std::string()
                                                      : page->drawings.front().title;
  }

  ScriptedPlatform platform;
  CTelescopeDlg dlg{platform};
};

TEST_F(PicturesCommandTest, ViewBeforeAnyCalculationCalculatesFirst) {
  dlg.OnCommand(IDM_VIEW_LAYOUT);
  ASSERT_EQ(platform.openedOn.size(), 1u);
  EXPECT_TRUE(platform.messageBoxes.empty());
  EXPECT_EQ(platform.openedOn[0], kLayoutPage);
  // The report beside it is the report of the very design drawn.
  EXPECT_EQ(platform.texts[IDC_REPORT], Calculate(DesignFields()).report);

  const PicturePage* page = platform.ShownPage();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->title, "Layout and spot diagrams");
  EXPECT_TRUE(page->refusal.empty());
  const DesignPictures expected = DrawDesignPictures(CompleteDesign(DesignFields()),
                                                     kDefaultSpotRays);
  ASSERT_EQ(page->drawings.size(), 2u);
  EXPECT_EQ(page->drawings[0].title, expected.layout.title);
  EXPECT_EQ(page->drawings[1].shapes.size(), expected.spotDrawing.shapes.size());
}

TEST_F(PicturesCommandTest, EditsWithoutCalculateDoNotChangeThePicture) {
  dlg.OnCommand(IDOK);
  const std::string report = platform.texts[IDC_REPORT];
  // Typed but not calculated: the pictures stay with the report's design.
  platform.radios[IDC_TYPE_CLASSICAL] = 0;
  platform.texts[IDC_PRI_DIA] = "";
  dlg.OnCommand(IDM_VIEW_LAYOUT);
  EXPECT_TRUE(platform.messageBoxes.empty());
  ASSERT_EQ(platform.openedOn.size(), 1u);
  EXPECT_EQ(LayoutTitle(platform.ShownPage()), "Ritchey-Chr\xE9tien telescope in section");
  EXPECT_EQ(platform.texts[IDC_REPORT], report);
}

TEST_F(PicturesCommandTest, AnOpenWindowFollowsEachSuccessfulCalculate) {
  dlg.OnCommand(IDM_VIEW_LAYOUT);
  platform.radios[IDC_TYPE_CLASSICAL] = 0;
  dlg.OnCommand(IDOK);
  ASSERT_EQ(platform.updates, 1);
  EXPECT_EQ(LayoutTitle(platform.ShownPage()), "Classical cassegrain telescope in section");

  // A refused Calculate keeps the pictures (and the report) of the last design.
  const unsigned generation = platform.pages.Generation();
  platform.texts[IDC_PRI_DIA] = "";
  dlg.OnCommand(IDOK);
  EXPECT_EQ(platform.messageBoxes.size(), 1u);
  EXPECT_EQ(platform.updates, 1);
  EXPECT_EQ(platform.pages.Generation(), generation);

  // Closed by the user: Calculate draws nothing.
  platform.picturesOpen = false;
  platform.texts[IDC_PRI_DIA] = "400";
  const int computations = platform.computations;
  dlg.OnCommand(IDOK);
  EXPECT_EQ(platform.updates, 1);
  EXPECT_EQ(platform.computations, computations);
  // The lens export completes a design as Calculate does.
  platform.picturesOpen = true;
  platform.radios[IDC_TYPE_CLASSICAL] = 3;
  dlg.OnCommand(IDC_CALC_OSLO);
  ASSERT_EQ(platform.updates, 2);
  EXPECT_EQ(LayoutTitle(platform.ShownPage()), "Pressmann-Camichel telescope in section");
}

TEST_F(PicturesCommandTest, EachViewItemOpensItsPageOfTheSameDesign) {
  const std::pair<int, int> items[] = {{IDM_VIEW_BAFFLES, kBafflesPage},
                                       {IDM_VIEW_QUALITY, kQualityPage},
                                       {IDM_VIEW_COLLIMATION, kCollimationPage},
                                       {IDM_VIEW_MIRROR_TESTS, kMirrorTestsPage},
                                       {IDM_VIEW_CAMERA, kCameraPage},
                                       {IDM_VIEW_LAYOUT, kLayoutPage}};
  const char* const titles[] = {"Layout and spot diagrams", "Image quality",
                                "Baffles and hole", "Collimation", "Mirror tests", "Camera"};
  for (const auto& [id, page] : items) {
    dlg.OnCommand(id);
    ASSERT_EQ(platform.openedOn.back(), page);
    const PicturePage* shown = platform.ShownPage();
    ASSERT_NE(shown, nullptr) << titles[page];
    EXPECT_EQ(shown->title, titles[page]);
    EXPECT_TRUE(shown->refusal.empty()) << shown->title << ": " << shown->refusal;
    EXPECT_FALSE(shown->drawings.empty()) << shown->title;
  }
  // One design: each page computed once, all of it drawn for that design.
  EXPECT_EQ(platform.computations, 6);
  for (const ScriptedPlatform::DrawnPage& drawn : platform.drawn) {
    EXPECT_EQ(drawn.generation, platform.pages.Generation());
  }
  dlg.OnCommand(IDM_VIEW_BAFFLES);
  const PicturePage* baffles = platform.ShownPage();
  ASSERT_NE(baffles, nullptr);
  EXPECT_TRUE(baffles->refusal.empty()) << baffles->refusal;
  EXPECT_EQ(baffles->drawings.size(), 2u);  // the section and the table of figures

  // A field too wide to baffle: that page says why above the focus travel, the layout
  // page still draws.
  platform.texts[IDC_FIELD] = "3";
  dlg.OnCommand(IDOK);
  ASSERT_EQ(platform.updates, 1);
  const PicturePage* wide = platform.ShownPage();
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(wide->refusal.rfind("Cannot baffle this design: ", 0), 0u);
  ASSERT_EQ(wide->drawings.size(), 1u);
  EXPECT_EQ(wide->drawings[0].title.rfind("Focus travel of the ", 0), 0u);
  platform.OpenTab(kLayoutPage);
  ASSERT_NE(platform.ShownPage(), nullptr);
  EXPECT_EQ(platform.ShownPage()->drawings.size(), 2u);
}

// Pages are computed when looked at: after Calculate only the shown tab, another tab
// when it is opened, nothing for a tab of the same design drawn before, everything
// again for a new design.
TEST_F(PicturesCommandTest, OnlyTheShownPageIsComputed) {
  dlg.OnCommand(IDM_VIEW_QUALITY);
  EXPECT_EQ(platform.computations, 1);
  ASSERT_EQ(platform.drawn.size(), 1u);
  EXPECT_EQ(platform.drawn[0].page, kQualityPage);

  platform.radios[IDC_TYPE_CLASSICAL] = 0;
  dlg.OnCommand(IDOK);
  EXPECT_EQ(platform.computations, 2);
  ASSERT_EQ(platform.drawn.size(), 2u);
  EXPECT_EQ(platform.drawn[1].page, kQualityPage);
  EXPECT_EQ(platform.pages.Kept(kLayoutPage), nullptr);

  platform.OpenTab(kCollimationPage);
  EXPECT_EQ(platform.computations, 3);
  EXPECT_EQ(platform.drawn.back().page, kCollimationPage);
  platform.OpenTab(kLayoutPage);
  EXPECT_EQ(platform.computations, 4);

  // Back to tabs of the same design: shown as they were, nothing computed or drawn.
  const size_t drawnBefore = platform.drawn.size();
  platform.OpenTab(kCollimationPage);
  platform.OpenTab(kQualityPage);
  dlg.OnCommand(IDM_VIEW_LAYOUT);  // the View item of the same design, too
  EXPECT_EQ(platform.computations, 4);
  EXPECT_EQ(platform.drawn.size(), drawnBefore);
  ASSERT_NE(platform.ShownPage(), nullptr);
  EXPECT_EQ(LayoutTitle(platform.ShownPage()), "Classical cassegrain telescope in section");

  // A new Calculate, even of the same fields, is a new design: every page is stale.
  dlg.OnCommand(IDOK);
  EXPECT_EQ(platform.computations, 5);
  for (int page : {kQualityPage, kBafflesPage, kCollimationPage}) {
    EXPECT_EQ(platform.pages.Kept(page), nullptr) << page;
  }
  platform.OpenTab(kCollimationPage);
  EXPECT_EQ(platform.computations, 6);
  EXPECT_EQ(platform.drawn.back().generation, platform.pages.Generation());
}

// Computations that take their time: the tab waits, a newer Calculate's page is the
// only one drawn, an older design's page is dropped when it comes back, and never
// more than one older computation runs beside the current one.
TEST_F(PicturesCommandTest, AnOlderDesignsPageIsDropped) {
  platform.computeAtOnce = false;
  dlg.OnCommand(IDM_VIEW_LAYOUT);
  ASSERT_EQ(platform.computing.size(), 1u);
  EXPECT_EQ(platform.ShownPage(), nullptr);
  EXPECT_TRUE(platform.pages.ShownIsBusy());

  platform.radios[IDC_TYPE_CLASSICAL] = 0;
  dlg.OnCommand(IDOK);  // the classical design supersedes the first one
  ASSERT_EQ(platform.computing.size(), 2u);
  platform.radios[IDC_TYPE_CLASSICAL] = 1;
  dlg.OnCommand(IDOK);  // and the Dall-Kirkham the classical: it waits for room
  EXPECT_EQ(platform.computing.size(), 2u);
  EXPECT_EQ(platform.pages.Running(), PicturePages::kMostRunning);

  platform.FinishComputation(0);  // the first design's page: dropped
  EXPECT_TRUE(platform.drawn.empty());
  EXPECT_EQ(platform.ShownPage(), nullptr);
  ASSERT_EQ(platform.computing.size(), 2u);  // the newest design's page started
  EXPECT_EQ(platform.computing.back().generation, platform.pages.Generation());

  platform.FinishComputation(0);  // the classical design's: dropped too
  EXPECT_TRUE(platform.drawn.empty());
  platform.FinishComputation(0);
  ASSERT_EQ(platform.drawn.size(), 1u);
  EXPECT_EQ(LayoutTitle(platform.ShownPage()), "Dall-Kirkham telescope in section");
  EXPECT_FALSE(platform.pages.ShownIsBusy());
  EXPECT_EQ(platform.computations, 3);
}

TEST_F(PicturesCommandTest, RefusedFirstCalculationShowsOnlyItsBox) {
  platform.texts[IDC_PRI_DIA] = "";
  dlg.OnCommand(IDM_VIEW_LAYOUT);
  EXPECT_TRUE(platform.openedOn.empty());
  ASSERT_EQ(platform.messageBoxes.size(), 1u);
  // The very box Calculate shows for the same inputs.
  dlg.OnCommand(IDM_CALCULATE_RESULTS);
  ASSERT_EQ(platform.messageBoxes.size(), 2u);
  EXPECT_EQ(platform.messageBoxes[0], platform.messageBoxes[1]);
  EXPECT_EQ(platform.messageBoxes[0].rfind("Error 1\r\n", 0), 0u);
}

TEST(DesignPictureSetTest, AnImpossibleDesignShowsItsRefusalInsteadOfPictures) {
  for (const ImpossibleDesign& impossible : ImpossibleDesigns()) {
    SCOPED_TRACE(impossible.name);
    const Calculation calculation = CompleteDesign(FieldsOf(impossible));
    const PicturePage page = DrawPicturePage(calculation, kLayoutPage);
    EXPECT_TRUE(page.drawings.empty());
    EXPECT_EQ(page.refusal, FormatCalcError(calculation.rules));
    EXPECT_EQ(page.refusal.rfind("Error 5\r\n", 0), 0u);
  }
}

// A design the collimation analysis refuses (a stigmatic pair on a primary of conic
// +3, many waves wrong on the axis): its tab shows the reason, the layout still draws.
TEST(DesignPictureSetTest, ACollimationRefusalShowsInItsTab) {
  DesignFields fields;
  fields.m_nType = 4;
  fields.m_strPriCC = "3";
  const Calculation calculation = CompleteDesign(fields);
  ASSERT_EQ(calculation.rules.error, CalcError::None);
  const PictureSet set = DrawPictureSet(calculation);
  const PicturePage& collimation = set.pages.at(kCollimationPage);
  EXPECT_TRUE(collimation.drawings.empty());
  EXPECT_EQ(collimation.refusal.rfind("Cannot analyse the collimation: on the axis", 0), 0u)
      << collimation.refusal;
  EXPECT_EQ(set.pages.at(kLayoutPage).drawings.size(), 2u);
}

TEST_F(PicturesCommandTest, ViewOfAnImpossibleDesignShowsItsBoxAndNoPictures) {
  const ImpossibleDesign& impossible = ImpossibleDesigns().front();
  const DesignFields fields = FieldsOf(impossible);
  platform.texts[IDC_PRI_DIA] = fields.m_strPriDia;
  dlg.OnCommand(IDM_VIEW_LAYOUT);
  EXPECT_TRUE(platform.openedOn.empty());
  ASSERT_EQ(platform.messageBoxes.size(), 1u);
  EXPECT_EQ(platform.messageBoxes[0], Calculate(fields).errorText);
}

}  // namespace
