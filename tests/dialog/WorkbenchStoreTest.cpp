// What the window remembers between runs (the configuration store, the recent files,
// the analyses' options) and how its option fields read what is typed.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "dialog/DesignPictureSet.h"
#include "dialog/PicturePages.h"
#include "dialog/PictureOptions.h"
#include "dialog/RecentFiles.h"
#include "dialog/TelescopeDlg.h"
#include "dialog/WindowStore.h"
#include "files/DesignFile.h"
#include "tests/common/TestFiles.h"
#include "tests/dialog/ScriptedPlatform.h"

using namespace spekulor::calc;
using namespace spekulor::dialog;

namespace {

const OptionField& FieldOf(const std::string& key) {
  for (const OptionField& field : PictureOptionFields()) {
    if (key == field.key) return field;
  }
  throw std::out_of_range(key);
}

TEST(WindowStore, KeepsValuesAsTheyWereGivenAcrossObjects) {
  TempDir folder;
  // The folders under the store's file are made on the first write.
  const std::string path = folder.File("deep/er/window.ini");
  {
    WindowStore store(path);
    EXPECT_FALSE(store.Get("Recent files", "File1"));
    EXPECT_TRUE(store.Set("Recent files", "File1", "/tmp/a #1; b=c.spekulor"));
    EXPECT_TRUE(store.SetNumber("Options", "wavelength", 632.8));
    EXPECT_FALSE(store.Set("Recent files", "File2", "two\nlines"));  // not storable
  }
  const WindowStore again(path);
  EXPECT_EQ(again.Get("Recent files", "File1").value_or(""), "/tmp/a #1; b=c.spekulor");
  EXPECT_EQ(again.GetNumber("Options", "wavelength").value_or(0.0), 632.8);
  EXPECT_FALSE(again.Get("Recent files", "File2"));
  // Without a path nothing is kept.
  WindowStore none;
  EXPECT_FALSE(none.Set("Options", "grid", "64"));
  EXPECT_FALSE(none.Get("Options", "grid"));
}

TEST(RecentFiles, NewestFirstWithoutRepeatsAtMostEight) {
  TempDir folder;
  WindowStore store(folder.File("window.ini"));
  for (int k = 1; k <= 10; ++k) AddRecentFile(store, "/designs/" + std::to_string(k));
  AddRecentFile(store, "/designs/5");  // again: moves to the front, not listed twice
  const std::vector<std::string> expected = {"/designs/5", "/designs/10", "/designs/9",
                                             "/designs/8", "/designs/7",  "/designs/6",
                                             "/designs/4", "/designs/3"};
  EXPECT_EQ(RecentFiles(store), expected);
  RemoveRecentFile(store, "/designs/8");
  std::vector<std::string> pruned = expected;
  pruned.erase(pruned.begin() + 3);
  EXPECT_EQ(RecentFiles(store), pruned);
}

// Opening and saving remember the file; a recent file that is gone is said so and
// taken off the list, and nothing else changes.
TEST(RecentFiles, TheWindowRemembersFilesAndPrunesAMissingOne) {
  TempDir folder;
  ScriptedPlatform platform;
  platform.storePath = folder.File("config/window.ini");
  CTelescopeDlg dlg(platform);
  dlg.OnInitDialog();
  const std::string first = folder.File("first.spekulor");
  const std::string second = folder.File("second.spekulor");
  platform.filePaths.push_back(first);
  dlg.OnFileSaveAs();
  platform.filePaths.push_back(second);
  dlg.OnFileSaveAs();
  WindowStore store(platform.storePath);
  EXPECT_EQ(RecentFiles(store), (std::vector<std::string>{second, first}));
  EXPECT_EQ(platform.recentFilesChanges, 2);

  ASSERT_EQ(std::remove(second.c_str()), 0);
  dlg.OnCommand(ID_FILE_MRU_FIRST);  // the newest: gone
  ASSERT_EQ(platform.messageBoxes.size(), 1u);
  EXPECT_NE(platform.messageBoxes[0].find("no longer there"), std::string::npos);
  EXPECT_EQ(platform.messageDetails[0], second);
  EXPECT_EQ(RecentFiles(store), std::vector<std::string>{first});

  platform.texts[IDC_PRI_DIA] = "123";
  dlg.OnCommand(ID_FILE_MRU_FIRST);  // the one left opens as File Open opens it
  EXPECT_EQ(platform.messageBoxes.size(), 1u);
  DesignFields inFile;
  ASSERT_EQ(spekulor::files::LoadDesignFile(first, inFile, nullptr),
            spekulor::files::DesignFileStatus::Ok);
  EXPECT_EQ(platform.texts[IDC_PRI_DIA], inFile.m_strPriDia);
  EXPECT_NE(platform.texts[IDC_PRI_DIA], "123");
  EXPECT_EQ(RecentFiles(store), std::vector<std::string>{first});
}

// The fields take what the command line takes and refuse the rest with its words.
TEST(PictureOptions, FieldsReadAsTheCommandLineReads) {
  PictureOptions options = DefaultPictureOptions();
  const OptionField& wavelength = FieldOf("wavelength");
  EXPECT_EQ(ReadOptionField(wavelength, "632.8", options), "");
  EXPECT_EQ(options.wavelengthNm, 632.8);
  EXPECT_EQ(ReadOptionField(wavelength, "100", options),
            "'100' is not a decimal number from 200 to 20000");
  EXPECT_EQ(ReadOptionField(wavelength, "0x300", options),
            "'0x300' is not a decimal number from 200 to 20000");
  EXPECT_EQ(options.wavelengthNm, 632.8);  // a refusal changes nothing
  EXPECT_EQ(ReadOptionField(FieldOf("grid"), "64.5", options),
            "'64.5' is not a whole number from 16 to 512");
  EXPECT_EQ(ReadOptionField(FieldOf("budget"), "0", options),
            "'0' is not a decimal number from 1e-06 to 1");
  EXPECT_EQ(ReadOptionField(FieldOf("tilt"), "nan", options), "'nan' is not a decimal number");
  // The blank may be left empty: the 1:6 blank; the clearance may not.
  EXPECT_EQ(ReadOptionField(FieldOf("thickness"), "", options), "");
  EXPECT_EQ(options.blankThicknessMm, kNotGiven);
  EXPECT_NE(ReadOptionField(FieldOf("focus clearance"), "", options), "");
}

TEST(PictureOptions, KeptInTheStoreAndUnreadableEntriesKeepTheirDefault) {
  TempDir folder;
  WindowStore store(folder.File("window.ini"));
  EXPECT_EQ(LoadPictureOptions(store), DefaultPictureOptions());
  EXPECT_EQ(DefaultPictureOptions().focusClearanceMm, kWindowFocusClearanceMm);
  PictureOptions options = DefaultPictureOptions();
  ASSERT_EQ(ReadOptionField(FieldOf("despace"), "-0.25", options), "");
  ASSERT_EQ(ReadOptionField(FieldOf("thickness"), "", options), "");
  StorePictureOption(store, FieldOf("despace"), options);
  StorePictureOption(store, FieldOf("thickness"), options);
  store.Set("Options", "grid", "4096");  // edited by hand, beyond the range
  const PictureOptions loaded = LoadPictureOptions(store);
  EXPECT_EQ(loaded.despaceMm, -0.25);
  EXPECT_EQ(loaded.blankThicknessMm, kNotGiven);
  EXPECT_EQ(loaded.pupilGrid, DefaultPictureOptions().pupilGrid);
}

// Lengths are typed in millimetres: an inch design's analysis gets them in inches.
TEST(PictureOptions, LengthsGoToTheAnalysesInTheDesignsUnit) {
  PictureOptions options;
  options.despaceMm = 25.4;
  options.pivotMm = -50.8;
  options.tiltDeg = 0.1;
  options.focusClearanceMm = 12.7;
  const auto secondary = SecondaryFor(options, LengthUnit::Inch);
  EXPECT_DOUBLE_EQ(secondary.despace, 1.0);
  EXPECT_DOUBLE_EQ(secondary.pivot, -2.0);
  EXPECT_EQ(secondary.tiltDeg, 0.1);
  EXPECT_DOUBLE_EQ(BaffleOptionsFor(options, LengthUnit::Inch).focusClearance, 0.5);
  EXPECT_EQ(BaffleOptionsFor(options, LengthUnit::Inch).primaryThickness, kNotGiven);
  EXPECT_EQ(SecondaryFor(options, LengthUnit::Millimetre).despace, 25.4);
}

// New options make the kept pages stale as a new design does; the same again keeps them.
TEST(PicturePages, OtherOptionsMakeTheKeptPagesStale) {
  PicturePages pages;
  pages.SetDesign(std::make_shared<const Calculation>(CompleteDesign(DesignFields())));
  std::optional<PicturePageJob> job = pages.NextJob();
  ASSERT_TRUE(job);
  pages.Finish(*job, PicturePage());
  ASSERT_NE(pages.Kept(kLayoutPage), nullptr);
  const unsigned generation = pages.Generation();
  EXPECT_FALSE(pages.SetOptions(PictureOptions()));
  EXPECT_NE(pages.Kept(kLayoutPage), nullptr);
  PictureOptions tilted;
  tilted.tiltDeg = 0.05;
  EXPECT_TRUE(pages.SetOptions(tilted));
  EXPECT_EQ(pages.Kept(kLayoutPage), nullptr);
  EXPECT_GT(pages.Generation(), generation);
  job = pages.NextJob();
  ASSERT_TRUE(job);
  EXPECT_EQ(job->options.tiltDeg, 0.05);  // the computation gets the options
}

// A miscollimated secondary is traced for the spots and said so above the page; the
// aligned one draws no notice.
TEST(PictureOptions, AMiscollimatedLayoutPageSaysSo) {
  const Calculation design = CompleteDesign(DesignFields());
  EXPECT_EQ(DrawPicturePage(design, kLayoutPage).notice, "");
  PictureOptions options;
  options.decenterMm = 0.5;
  const PicturePage page = DrawPicturePage(design, kLayoutPage, options);
  EXPECT_NE(page.notice.find("Miscollimated"), std::string::npos);
  EXPECT_NE(page.notice.find("decentered 0.5 mm"), std::string::npos);
  ASSERT_EQ(page.drawings.size(), 2u);
  EXPECT_NE(page.drawings[1].title, DrawPicturePage(design, kLayoutPage).drawings[1].title);
  // A tilt the trace cannot take is refused on the page, as on the command line.
  options.tiltDeg = 60.0;
  EXPECT_FALSE(DrawPicturePage(design, kLayoutPage, options).refusal.empty());
}

}  // namespace
