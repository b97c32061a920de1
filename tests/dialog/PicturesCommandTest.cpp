// View > Layout and spot diagrams: the pictures window shows the last design a
// command completed, follows each successful Calculate while open, and never shows
// a design other than the report's.
#include <gtest/gtest.h>

#include "DesignPictureSet.h"
#include "DesignPictures.h"
#include "ImpossibleDesigns.h"
#include "ScriptedPlatform.h"
#include "SpotDiagram.h"
#include "TelescopeDlg.h"

namespace {

class PicturesCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { dlg.OnInitDialog(); }

  // The layout page's title names the design type: "<type> telescope in section".
  static std::string LayoutTitle(const PictureSet& set) {
    const PicturePage& page = set.pages.at(kLayoutPage);
    return page.drawings.empty() ? std::string() : page.drawings.front().title;
  }

  ScriptedPlatform platform;
  CTelescopeDlg dlg{platform};
};

TEST_F(PicturesCommandTest, ViewBeforeAnyCalculationCalculatesFirst) {
  dlg.OnCommand(IDM_VIEW_LAYOUT);
  ASSERT_EQ(platform.shownPictures.size(), 1u);
  EXPECT_TRUE(platform.messageBoxes.empty());
  EXPECT_EQ(platform.shownPictures[0].second, kLayoutPage);
  // The report beside it is the report of the very design drawn.
  EXPECT_EQ(platform.texts[IDC_REPORT], Calculate(DesignFields()).report);

  const PicturePage& page = platform.shownPictures[0].first.pages.at(kLayoutPage);
  EXPECT_EQ(page.title, "Layout and spot diagrams");
  EXPECT_TRUE(page.refusal.empty());
  const DesignPictures expected = DrawDesignPictures(CompleteDesign(DesignFields()),
                                                     kDefaultSpotRays);
  ASSERT_EQ(page.drawings.size(), 2u);
  EXPECT_EQ(page.drawings[0].title, expected.layout.title);
  EXPECT_EQ(page.drawings[1].shapes.size(), expected.spotDrawing.shapes.size());
}

TEST_F(PicturesCommandTest, EditsWithoutCalculateDoNotChangeThePicture) {
  dlg.OnCommand(IDOK);
  const std::string report = platform.texts[IDC_REPORT];
  // Typed but not calculated: the pictures stay with the report's design.
  platform.radios[IDC_TYPE_CLASSICAL] = 0;
  platform.texts[IDC_PRI_DIA] = "";
  dlg.OnCommand(IDM_VIEW_LAYOUT);
  EXPECT_TRUE(platform.messageBoxes.empty());
  ASSERT_EQ(platform.shownPictures.size(), 1u);
  EXPECT_EQ(LayoutTitle(platform.shownPictures[0].first),
            "Ritchey-Chr\xE9tien telescope in section");
  EXPECT_EQ(platform.texts[IDC_REPORT], report);
}

TEST_F(PicturesCommandTest, AnOpenWindowFollowsEachSuccessfulCalculate) {
  dlg.OnCommand(IDM_VIEW_LAYOUT);
  platform.radios[IDC_TYPE_CLASSICAL] = 0;
  dlg.OnCommand(IDOK);
  ASSERT_EQ(platform.updatedPictures.size(), 1u);
  EXPECT_EQ(LayoutTitle(platform.updatedPictures[0]), "Classical cassegrain telescope in section");

  // A refused Calculate keeps the pictures (and the report) of the last design.
  platform.texts[IDC_PRI_DIA] = "";
  dlg.OnCommand(IDOK);
  EXPECT_EQ(platform.messageBoxes.size(), 1u);
  EXPECT_EQ(platform.updatedPictures.size(), 1u);

  // Closed by the user: Calculate draws nothing.
  platform.picturesOpen = false;
  platform.texts[IDC_PRI_DIA] = "400";
  dlg.OnCommand(IDOK);
  EXPECT_EQ(platform.updatedPictures.size(), 1u);
  // The lens export completes a design as Calculate does.
  platform.picturesOpen = true;
  platform.radios[IDC_TYPE_CLASSICAL] = 3;
  dlg.OnCommand(IDC_CALC_OSLO);
  ASSERT_EQ(platform.updatedPictures.size(), 2u);
  EXPECT_EQ(LayoutTitle(platform.updatedPictures[1]), "Pressmann-Camichel telescope in section");
}

TEST_F(PicturesCommandTest, EachViewItemOpensItsPageOfTheSameDesign) {
  dlg.OnCommand(IDM_VIEW_BAFFLES);
  ASSERT_EQ(platform.shownPictures.size(), 1u);
  EXPECT_EQ(platform.shownPictures[0].second, kBafflesPage);
  const PictureSet set = platform.shownPictures[0].first;  // the list grows below
  ASSERT_EQ(set.pages.size(), 4u);
  EXPECT_EQ(set.pages[kLayoutPage].title, "Layout and spot diagrams");
  EXPECT_EQ(set.pages[kQualityPage].title, "Image quality");
  EXPECT_EQ(set.pages[kCollimationPage].title, "Collimation");
  for (const PicturePage& page : set.pages) {
    EXPECT_TRUE(page.refusal.empty()) << page.title << ": " << page.refusal;
    EXPECT_FALSE(page.drawings.empty()) << page.title;
  }
  dlg.OnCommand(IDM_VIEW_QUALITY);
  dlg.OnCommand(IDM_VIEW_COLLIMATION);
  ASSERT_EQ(platform.shownPictures.size(), 3u);
  EXPECT_EQ(platform.shownPictures[1].second, kQualityPage);
  EXPECT_EQ(platform.shownPictures[2].second, kCollimationPage);
  const PicturePage& baffles = set.pages[kBafflesPage];
  EXPECT_EQ(baffles.title, "Baffles and hole");
  EXPECT_TRUE(baffles.refusal.empty()) << baffles.refusal;
  EXPECT_EQ(baffles.drawings.size(), 2u);  // the section and the table of figures

  // A field too wide to baffle: that page says why above the focus travel, the layout
  // page still draws.
  platform.texts[IDC_FIELD] = "3";
  dlg.OnCommand(IDOK);
  ASSERT_EQ(platform.updatedPictures.size(), 1u);
  const PictureSet& wide = platform.updatedPictures.back();
  EXPECT_EQ(wide.pages[kBafflesPage].refusal.rfind("Cannot baffle this design: ", 0), 0u);
  ASSERT_EQ(wide.pages[kBafflesPage].drawings.size(), 1u);
  EXPECT_EQ(wide.pages[kBafflesPage].drawings[0].title.rfind("Focus travel of the ", 0), 0u);
  EXPECT_EQ(wide.pages[kLayoutPage].drawings.size(), 2u);
}

TEST_F(PicturesCommandTest, RefusedFirstCalculationShowsOnlyItsBox) {
  platform.texts[IDC_PRI_DIA] = "";
  dlg.OnCommand(IDM_VIEW_LAYOUT);
  EXPECT_TRUE(platform.shownPictures.empty());
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
    const PictureSet set = DrawPictureSet(calculation);
    const PicturePage& page = set.pages.at(kLayoutPage);
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
  EXPECT_TRUE(platform.shownPictures.empty());
  ASSERT_EQ(platform.messageBoxes.size(), 1u);
  EXPECT_EQ(platform.messageBoxes[0], Calculate(fields).errorText);
}

}  // namespace
