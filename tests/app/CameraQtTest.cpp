// The pictures window's page "Camera" on Qt, offscreen: its tab is computed only when it
// is shown, with the sensor of its fields; an edited field computes it again, a field
// that cannot be read says so and computes nothing.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <memory>

#include "app/CameraPanel.h"
#include "app/PictureView.h"
#include "app/PicturesWindow.h"
#include "app/QtText.h"
#include "camera/CameraPage.h"
#include "dialog/CameraTab.h"
#include "drawing/Drawing.h"
#include "dialog/DesignPictureSet.h"
#include "tests/app/PageWait.h"

using namespace spekulor::calc;
using namespace spekulor::camera;
using namespace spekulor::dialog;

namespace {

bool WaitForCameraPage(PicturesWindow& pictures) {
  return QTest::qWaitFor(
      [&pictures] {
        return pictures.BusyLabel(kCameraPage) == nullptr &&
               (!pictures.Views(kCameraPage).empty() || pictures.RefusalLabel(kCameraPage) != nullptr);
      },
      kPageWaitMs);
}

bool HasText(const spekulor::drawing::Drawing& drawing, const std::string& text) {
  for (const auto& shape : drawing.shapes) {
    const auto* shown = std::get_if<spekulor::drawing::TextShape>(&shape);
    if (shown != nullptr && shown->text.find(text) != std::string::npos) return true;
  }
  return false;
}

void Retype(QLineEdit* field, const QString& text) {
  field->setText(text);
  emit field->editingFinished();
}

}  // namespace

TEST(CameraQtTest, TabIsComputedWhenShownAndFollowsItsFields) {
  PicturesWindow pictures;
  const auto design = std::make_shared<const Calculation>(CompleteDesign(DesignFields()));
  pictures.ShowDesign(design, kLayoutPage);
  pictures.show();
  EXPECT_EQ(pictures.Tabs()->tabText(kCameraPage), QStringLiteral("Camera"));
  ASSERT_TRUE(QTest::qWaitFor([&pictures] { return !pictures.Views(kLayoutPage).empty(); }, kPageWaitMs));
  const int started = pictures.ComputationsStarted();
  EXPECT_NE(pictures.BusyLabel(kCameraPage), nullptr);  // not computed while hidden
  EXPECT_EQ(started, 1);

  pictures.Tabs()->setCurrentIndex(kCameraPage);
  ASSERT_TRUE(WaitForCameraPage(pictures));
  ASSERT_EQ(pictures.Views(kCameraPage).size(), 1u);
  EXPECT_EQ(pictures.RefusalLabel(kCameraPage), nullptr);
  // The start-up fields' sensor, as the library draws it.
  const CameraPage expected = ComputeCameraPage(design->design, design->read.unit, DefaultCameraOptions());
  const std::string scale = spekulor::drawing::FormatFixed(expected.scale.arcsecPerPixel, 3) + "\" per pixel";
  EXPECT_TRUE(HasText(pictures.Views(kCameraPage)[0]->drawing(), scale)) << scale;

  CameraPanel* panel = pictures.Camera();
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(panel->isVisible());
  EXPECT_EQ(panel->PixelEdit()->text(), QStringLiteral("3.76"));
  EXPECT_EQ(panel->MaterialBox()->count(), 5);

  // A bigger pixel and an aluminium tube: the page again, with the thermal focus.
  Retype(panel->PixelEdit(), QStringLiteral("9"));
  panel->MaterialBox()->setCurrentIndex(1);
  ASSERT_TRUE(WaitForCameraPage(pictures));
  ASSERT_TRUE(QTest::qWaitFor([&pictures] { return pictures.ComputationsRunning() == 0; }, kPageWaitMs));
  ASSERT_TRUE(WaitForCameraPage(pictures));
  ASSERT_EQ(pictures.Views(kCameraPage).size(), 1u);
  const auto& drawing = pictures.Views(kCameraPage)[0]->drawing();
  const double nine = ImageScale(9.0, expected.focalLength);
  EXPECT_TRUE(HasText(drawing, spekulor::drawing::FormatFixed(nine, 3) + "\" per pixel"));
  EXPECT_TRUE(HasText(drawing, "Thermal focus, aluminium tube"));
  EXPECT_GT(pictures.ComputationsStarted(), started + 1);

  // A field that is no number: said beside the fields, nothing computed.
  const int before = pictures.ComputationsStarted();
  Retype(panel->SeeingEdit(), QStringLiteral("two"));
  EXPECT_EQ(panel->ProblemLabel()->text(), QStringLiteral("The seeing is not a number."));
  QTest::qWait(50);
  EXPECT_EQ(pictures.ComputationsStarted(), before);

  // A pixel the analysis refuses: the page shows why.
  Retype(panel->SeeingEdit(), QStringLiteral("2"));
  Retype(panel->PixelEdit(), QStringLiteral("500"));
  ASSERT_TRUE(QTest::qWaitFor([&pictures] { return pictures.ComputationsRunning() == 0; }, kPageWaitMs));
  ASSERT_TRUE(WaitForCameraPage(pictures));
  ASSERT_NE(pictures.RefusalLabel(kCameraPage), nullptr);
  EXPECT_TRUE(pictures.RefusalLabel(kCameraPage)->text().startsWith(QStringLiteral("Cannot analyse the camera: the pixel size")))
      << pictures.RefusalLabel(kCameraPage)->text().toStdString();
}
