// What the pictures window says of a design an analysis cannot handle: the reason in
// the window's words, naming entries the window has, and what could still be drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "baffles/BafflePictures.h"
#include "calc/Calculate.h"
#include "dialog/DesignPictureSet.h"
#include "dialog/DialogTemplate.h"
#include "quality/QualityPictures.h"

using namespace spekulor::calc;
using namespace spekulor::quality;
using namespace spekulor::baffles;
using namespace spekulor::dialog;

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The window's labels in lower case, without their colons: the names of its entries.
std::vector<std::string> EntryNames() {
  std::vector<std::string> names;
  const DialogTemplate& dialog = MainDialogTemplate();
  for (std::size_t i = 0; i < dialog.controlCount; ++i) {
    const ControlTemplate& control = dialog.controls[i];
    if (control.kind != ControlKind::Label) continue;
    std::string name = Lower(control.text);
    if (!name.empty() && name.back() == ':') name.pop_back();
    names.push_back(name);
  }
  return names;
}

DesignFields Fields(int typeIndex, const char* field) {
  DesignFields fields;
  fields.m_nType = typeIndex;
  fields.m_strField = field;
  return fields;
}

// Designs whose wavefront changes too fast for the image-quality analysis: a
// Ritchey-Chretien at 3 degrees, whose common flat focal plane leaves the axis far out
// of focus, and a Dall-Kirkham at 2 degrees, whose coma grows fastest off the axis.
struct SteepCase {
  const char* name;
  DesignFields fields;
  const char* place;
};

TEST(WindowPictureRefusals, ASteepWavefrontNamesTheWindowsEntriesNotAGrid) {
  const SteepCase cases[] = {{"Ritchey-Chretien, 3 degrees", Fields(2, "3"), "on the axis"},
                             {"Dall-Kirkham, 2 degrees", Fields(1, "2"), "at 0.7 of the field"}};
  const std::vector<std::string> entries = EntryNames();
  for (const SteepCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Calculation calculation = CompleteDesign(c.fields);
    ASSERT_EQ(calculation.rules.error, CalcError::None);
    const std::string refusal = DrawPictureSet(calculation).pages.at(kQualityPage).refusal;
    ASSERT_EQ(refusal.rfind("Cannot analyse the image quality: " + std::string(c.place) +
                                " the wavefront changes by ",
                            0),
              0u)
        << refusal;
    EXPECT_EQ(refusal.find("grid"), std::string::npos) << refusal;
    EXPECT_EQ(refusal.find("0.0 of the field"), std::string::npos) << refusal;
    // It names two of the window's entries, by their labels.
    int named = 0;
    for (const std::string& entry : entries) {
      if (Lower(refusal).find(entry) != std::string::npos) ++named;
    }
    EXPECT_EQ(named, 2) << refusal;
    EXPECT_NE(refusal.find("fully illuminated field"), std::string::npos) << refusal;
    EXPECT_NE(refusal.find("primary mirror focal length"), std::string::npos) << refusal;

    // The command line, which sets the grid, is told the grid it needs instead, of
    // the same field point.
    const std::string commandLine = DrawQualityPictures(calculation).errorText;
    EXPECT_EQ(commandLine.rfind("Cannot analyse the image quality: " + std::string(c.place), 0),
              0u)
        << commandLine;
    EXPECT_NE(commandLine.find("it needs a pupil grid"), std::string::npos) << commandLine;
  }
}

// Baffles that cannot be planned: the page gives the reason and, under it, the focus
// travel, which does not depend on them.
TEST(WindowPictureRefusals, TheBafflesPageShowsTheFocusTravelWithTheReason) {
  DesignFields inFront;
  inFront.m_strBackFocLen = "-30";
  const std::pair<const char*, DesignFields> cases[] = {{"too wide to baffle", Fields(2, "3")},
                                                        {"focus in front", inFront}};
  for (const auto& [name, fields] : cases) {
    SCOPED_TRACE(name);
    const Calculation calculation = CompleteDesign(fields);
    ASSERT_EQ(calculation.rules.error, CalcError::None);
    const PictureSet set = DrawPictureSet(calculation);
    const PicturePage& baffles = set.pages.at(kBafflesPage);
    const BafflePictures direct = DrawBafflePictures(calculation);
    EXPECT_EQ(baffles.refusal, direct.errorText);
    EXPECT_EQ(baffles.refusal.rfind(kCannotBaffle, 0), 0u) << baffles.refusal;
    ASSERT_EQ(baffles.drawings.size(), 1u);
    EXPECT_EQ(baffles.drawings[0].title, "Focus travel of the Ritchey-Chr\xE9tien");
    // The other pages draw as ever, or refuse without drawings.
    for (const PicturePage& page : set.pages) {
      if (&page == &baffles) continue;
      EXPECT_NE(page.refusal.empty(), page.drawings.empty()) << page.title << ": " << page.refusal;
    }
  }

  // A refused calculation has no focus travel to show.
  DesignFields empty;
  empty.m_strPriDia = "";
  const PicturePage refused = DrawPictureSet(CompleteDesign(empty)).pages.at(kBafflesPage);
  EXPECT_EQ(refused.refusal.rfind("Error 1\r\n", 0), 0u) << refused.refusal;
  EXPECT_TRUE(refused.drawings.empty());
}

}  // namespace
