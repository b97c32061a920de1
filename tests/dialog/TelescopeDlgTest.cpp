// The window's members, data exchange, Calculate and the system menu, driven through
// the scripted platform: no display involved.
#include <gtest/gtest.h>

#include <algorithm>

#include "dialog/AssertionBox.h"
#include "calc/Calculate.h"
#include "tests/dialog/ScriptedPlatform.h"
#include "dialog/TelescopeDlg.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::dialog;

namespace {

class TelescopeDlgTest : public ::testing::Test {
 protected:
  ScriptedPlatform platform;
};

TEST_F(TelescopeDlgTest, ConstructionLeavesMembersEmptyAndLoadsTheIcon) {
  CTelescopeDlg dlg(platform);
  EXPECT_EQ(dlg.m_nUnits, -1);
  EXPECT_EQ(dlg.m_nType, -1);
  for (const std::string* text :
       {&dlg.m_strField, &dlg.m_strPriDia, &dlg.m_strPriFoc, &dlg.m_strBackFocLen,
        &dlg.m_strSecCC, &dlg.m_strPriCC, &dlg.m_strSecPriDist, &dlg.m_strSecSysDist,
        &dlg.m_strSysFoc, &dlg.m_strSecRadCur, &dlg.m_strReport}) {
    EXPECT_TRUE(text->empty());
  }
  EXPECT_EQ(dlg.m_hIcon, IDR_MAINFRAME);
  EXPECT_EQ(platform.log, std::vector<std::string>{"load icon 128"});
}

TEST_F(TelescopeDlgTest, OpeningShowsTheStartValues) {
  CTelescopeDlg dlg(platform);
  EXPECT_TRUE(dlg.OnInitDialog());
  for (int id : {IDC_SEC_SYS_DIST, IDC_SEC_PRI_DIST, IDC_SEC_RAD_CUR, IDC_PRI_CC, IDC_SEC_CC,
                 IDC_REPORT}) {
    EXPECT_EQ(platform.texts.count(id), 1u) << id;  // written, and written empty
  }
  ExpectStartUpShown(platform, {"400.0", "1000.0", "0.75", "3200.0", "254"});
  EXPECT_EQ(platform.texts[IDC_REPORT], "");
  EXPECT_EQ(platform.caption, "Spekulor");
  EXPECT_EQ(platform.fonts[IDC_REPORT], "Courier 12");
  ASSERT_EQ(platform.systemMenu.size(), 2u);
  EXPECT_EQ(platform.systemMenu[0].first, 0);
  EXPECT_EQ(platform.systemMenu[1], std::make_pair(16, std::string("Inf&o \xFC" "ber Spekulor...")));
  EXPECT_EQ(platform.iconsSet, (std::vector<std::pair<IconHandle, bool>>{{128, true}, {128, false}}));
}

TEST_F(TelescopeDlgTest, OpeningStepsRunInTheirOrder) {
  CTelescopeDlg dlg(platform);
  platform.log.clear();
  dlg.OnInitDialog();
  const auto at = [&](const std::string& entry) {
    return std::find(platform.log.begin(), platform.log.end(), entry) - platform.log.begin();
  };
  // The exchange loads everything before the caption, then the font, then the icons.
  EXPECT_LT(at("set 1017"), at("caption"));
  EXPECT_LT(at("caption"), at("font 1017"));
  EXPECT_LT(at("font 1017"), at("big icon"));
  EXPECT_LT(at("big icon"), at("small icon"));
}

TEST_F(TelescopeDlgTest, WithoutSystemMenuTheAboutItemIsNotAdded) {
  platform.hasSystemMenu = false;
  CTelescopeDlg dlg(platform);
  dlg.OnInitDialog();
  EXPECT_TRUE(platform.systemMenu.empty());
}

TEST_F(TelescopeDlgTest, DataExchangeRunsInBindingOrderBothWays) {
  CTelescopeDlg dlg(platform);
  const std::vector<std::string> saveOrder = {
      "get radio 1006", "get radio 1000", "get 1008", "get 1005", "get 1009", "get 1011",
      "get 1016",       "get 1015",       "get 1013", "get 1012", "get 1010", "get 1014",
      "get 1017"};
  platform.log.clear();
  dlg.UpdateData(true);
  EXPECT_EQ(platform.log, saveOrder);

  platform.log.clear();
  dlg.UpdateData(false);
  std::vector<std::string> loadOrder;
  for (std::string entry : saveOrder) loadOrder.push_back(entry.replace(0, 3, "set"));
  EXPECT_EQ(platform.log, loadOrder);
}

TEST_F(TelescopeDlgTest, SaveTakesTheControlsAsTheyStand) {
  CTelescopeDlg dlg(platform);
  dlg.OnInitDialog();
  platform.texts[IDC_SEC_RAD_CUR] = "  12abc";
  platform.texts[IDC_PRI_DIA] = "Ritchey-Chr\xE9tien";
  platform.radios.erase(IDC_TYPE_CLASSICAL);  // no type button checked
  dlg.UpdateData(true);
  EXPECT_EQ(dlg.m_strSecRadCur, "  12abc");
  EXPECT_EQ(dlg.m_strPriDia, "Ritchey-Chr\xE9tien");
  EXPECT_EQ(dlg.m_nType, -1);
  EXPECT_EQ(dlg.m_nUnits, 1);
}

TEST_F(TelescopeDlgTest, CalculateShowsTheReportAndKeepsTheWindowOpen) {
  CTelescopeDlg dlg(platform);
  dlg.OnInitDialog();
  platform.texts[IDC_BACK_FOC_LEN] = "300";  // typed, not yet in the member
  dlg.OnCommand(IDOK);

  DesignFields typed;  // the start values
  typed.m_strBackFocLen = "300";
  const CalculateOutcome expected = Calculate(typed);
  ASSERT_TRUE(expected.ok());
  EXPECT_EQ(platform.texts[IDC_REPORT], expected.report);
  EXPECT_EQ(dlg.m_strReport, expected.report);
  EXPECT_EQ(platform.texts[IDC_BACK_FOC_LEN], "300");  // the inputs are written back unchanged
  EXPECT_TRUE(platform.messageBoxes.empty());
  EXPECT_FALSE(platform.endResult.has_value());
}

TEST_F(TelescopeDlgTest, MenuCalculateRunsWhatTheButtonRuns) {
  CTelescopeDlg dlg(platform);
  dlg.OnInitDialog();
  dlg.OnCommand(IDOK);
  const std::string byButton = platform.texts[IDC_REPORT];
  platform.texts[IDC_REPORT].clear();
  dlg.OnCommand(IDM_CALCULATE_RESULTS);
  EXPECT_FALSE(byButton.empty());
  EXPECT_EQ(platform.texts[IDC_REPORT], byButton);
}

TEST_F(TelescopeDlgTest, RefusedCalculationShowsTheErrorAndKeepsThePreviousReport) {
  CTelescopeDlg dlg(platform);
  dlg.OnInitDialog();
  dlg.OnCommand(IDOK);
  const std::string previous = platform.texts[IDC_REPORT];

  platform.texts[IDC_PRI_DIA] = "";
  platform.texts[IDC_REPORT] = previous;
  platform.log.clear();
  dlg.OnCommand(IDOK);
  ASSERT_EQ(platform.messageBoxes.size(), 1u);
  EXPECT_EQ(platform.messageBoxes[0],
            "Error 1\r\nThe default parameters (mirror diameter, mirror focal length, field) "
            "are needed!");
  EXPECT_EQ(platform.texts[IDC_REPORT], previous);
  EXPECT_EQ(dlg.m_strReport, previous);
  // Nothing is loaded back: the user's empty field stays as typed.
  EXPECT_TRUE(std::none_of(platform.log.begin(), platform.log.end(),
                           [](const std::string& e) { return e.rfind("set", 0) == 0; }));
}

TEST_F(TelescopeDlgTest, StigmaticWithoutConicsIsRefusedWithItsOwnMessage) {
  CTelescopeDlg dlg(platform);
  dlg.OnInitDialog();
  platform.radios[IDC_TYPE_CLASSICAL] = 4;
  platform.texts[IDC_SEC_RAD_CUR] = "800";
  dlg.OnCommand(IDOK);
  ASSERT_EQ(platform.messageBoxes.size(), 1u);
  EXPECT_EQ(platform.messageBoxes[0].rfind("Error 4\r\n", 0), 0u);
}

TEST_F(TelescopeDlgTest, QuitAndCancelEndTheWindowWithCancel) {
  for (int command : {static_cast<int>(IDM_QUIT), static_cast<int>(IDCANCEL)}) {
    ScriptedPlatform fresh;
    CTelescopeDlg dlg(fresh);
    dlg.OnInitDialog();
    dlg.OnCommand(command);
    EXPECT_EQ(fresh.endResult, IDCANCEL) << command;
  }
}

TEST_F(TelescopeDlgTest, SystemCommandsIgnoreTheLowFourBits) {
  CTelescopeDlg dlg(platform);
  dlg.OnSysCommand(IDM_ABOUTBOX);
  dlg.OnSysCommand(IDM_ABOUTBOX | 0x3);
  EXPECT_EQ(platform.aboutBoxes, 2);
  dlg.OnSysCommand(SC_CLOSE);
  dlg.OnSysCommand(0x20);
  EXPECT_EQ(platform.aboutBoxes, 2);
  EXPECT_EQ(std::count(platform.log.begin(), platform.log.end(),
                       "default syscommand " + std::to_string(SC_CLOSE)),
            1);
  EXPECT_EQ(std::count(platform.log.begin(), platform.log.end(), "default syscommand 32"), 1);
}

TEST_F(TelescopeDlgTest, EveryCommandIsEnabled) {
  CTelescopeDlg dlg(platform);
  dlg.OnInitDialog();
  EXPECT_TRUE(platform.enabled.empty());  // nothing is ever disabled
}

TEST_F(TelescopeDlgTest, DoModalOpensThroughThePlatform) {
  CTelescopeDlg dlg(platform);
  platform.endResult = IDCANCEL;
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(platform.texts[IDC_PRI_DIA], "400.0");
}

TEST(AssertionBoxRoutingTest, FailedAssertionAsksThePlatformAndIgnoreGoesOn) {
  ScriptedPlatform platform;
  bool reachedNextStatement = false;
  {
    AssertionBoxRouting routing(platform);
    platform.assertAnswer = AssertIgnore;
    const double PriFoc = HUGE_VAL;
    AssertMessage(PriFoc != HUGE_VAL, "no focal length");
    reachedNextStatement = true;
    platform.assertAnswer = AssertRetry;  // no debugger here: goes on as Ignore
    EXPECT_EQ(AssertFailed("x > 0", "Solver.cpp", 7, nullptr), AssertRetry);
  }
  EXPECT_TRUE(reachedNextStatement);
  ASSERT_EQ(platform.assertionReports.size(), 2u);
  EXPECT_EQ(platform.assertionReports[0].rfind("AssertMessage(PriFoc != HUGE_VAL);\nFile ", 0),
            0u);
  EXPECT_NE(platform.assertionReports[0].find("\n *** no focal length ***"), std::string::npos);
  EXPECT_EQ(platform.assertionReports[1], "Assert(x > 0);\nFile Solver.cpp, line 7.");
  EXPECT_TRUE(platform.fatalTexts.empty());
}

TEST(AssertionBoxRoutingTest, LeavingTheScopeRestoresThePreviousQuestion) {
  ScriptedPlatform outer;
  ScriptedPlatform inner;
  AssertionBoxRouting outerRouting(outer);
  {
    AssertionBoxRouting innerRouting(inner);
    AssertFailed("a", "m", 1, nullptr);
  }
  AssertFailed("b", "m", 2, nullptr);
  EXPECT_EQ(inner.assertionReports.size(), 1u);
  ASSERT_EQ(outer.assertionReports.size(), 1u);
  EXPECT_EQ(outer.assertionReports[0], "Assert(b);\nFile m, line 2.");
}

}  // namespace
