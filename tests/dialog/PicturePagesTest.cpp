// The pages of the pictures window computed on worker threads: two at once (the
// window lets one older computation finish beside the current one) give the very
// pages computed one at a time, FFTW's planner included.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <complex>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "calc/Calculate.h"
#include "quality/FourierPlans.h"
#include "dialog/PicturePages.h"
#include "drawing/SvgWriter.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::quality;
using namespace spekulor::dialog;

namespace {

// A page as text: its title, its refusal and each drawing's SVG.
std::string PageText(const PicturePage& page) {
  std::string text = page.title + "\n" + page.refusal + "\n";
  for (const Drawing& drawing : page.drawings) text += WriteSvg(drawing);
  return text;
}

TEST(PicturePagesTest, PagesComputedAtOnceAreThePagesComputedAlone) {
  // Two designs, as an older Calculate's page still computed beside a newer one's.
  DesignFields classical;
  classical.m_nType = 1;
  const std::shared_ptr<const Calculation> designs[] = {
      std::make_shared<const Calculation>(CompleteDesign(DesignFields())),
      std::make_shared<const Calculation>(CompleteDesign(classical))};
  // The pages that transform: image quality and collimation.
  std::vector<PicturePageJob> jobs;
  unsigned generation = 0;
  for (const auto& design : designs) {
    for (const int page : {kQualityPage, kCollimationPage}) {
      jobs.push_back({++generation, page, design, {}, 0, PictureOptions()});
    }
  }
  std::vector<std::string> alone;
  for (const PicturePageJob& job : jobs) alone.push_back(PageText(ComputePicturePage(job)));

  std::vector<std::string> together(jobs.size());
  // Each thread computes every page, the other starting at the other end.
  std::vector<std::string> reversed(jobs.size());
  std::thread forward([&] {
    for (size_t i = 0; i < jobs.size(); ++i) together[i] = PageText(ComputePicturePage(jobs[i]));
  });
  std::thread backward([&] {
    for (size_t i = jobs.size(); i-- > 0;) reversed[i] = PageText(ComputePicturePage(jobs[i]));
  });
  forward.join();
  backward.join();
  for (size_t i = 0; i < jobs.size(); ++i) {
    SCOPED_TRACE(jobs[i].page);
    EXPECT_EQ(together[i], alone[i]);
    EXPECT_EQ(reversed[i], alone[i]);
  }
}

// Transforms planned and run on two threads at once, as two page computations do,
// each checked against the closed form: an impulse at column 1 transforms to
// exp(-2 pi i u / n) in every row, a constant line of n ones to n at frequency 0 and
// zero elsewhere. Sizes change from one plan to the next, so that the planner plans
// anew instead of finding what it planned before.
TEST(PicturePagesTest, TransformsPlannedOnTwoThreadsAreRight) {
  MakePageComputationsThreadSafe();
  constexpr double kTransformTolerance = 1e-9;
  constexpr double kPi = 3.14159265358979323846;
  std::atomic<int> wrong{0};
  auto plan = [&wrong](int first) {
    const int sizes[] = {12, 16, 20, 24, 30, 32, 36, 40, 48, 60, 64};
    for (int round = 0; round < 300; ++round) {
      const int n = sizes[static_cast<size_t>(first + round) % std::size(sizes)];
      FourierPlans plans(n, 2);
      for (int i = 0; i < 2 * n; ++i) plans.Columns()[i] = 0.0;
      plans.Columns()[n] = 1.0;  // f[0, 1]
      plans.Transform();
      for (int u = 0; u < n; u += 3) {
        const std::complex<double> expected = std::polar(1.0, -2.0 * kPi * u / n);
        const std::complex<double> got = plans.Spectrum()[static_cast<size_t>((round % n) * n + u)];
        if (std::abs(got - expected) > kTransformTolerance) ++wrong;
      }
      for (int i = 0; i < n; ++i) plans.Line()[i] = 1.0;
      plans.TransformLine();
      if (std::abs(plans.LineSpectrum()[0] - std::complex<double>(n, 0.0)) > kTransformTolerance ||
          std::abs(plans.LineSpectrum()[1]) > kTransformTolerance) {
        ++wrong;
      }
    }
  };
  std::thread one(plan, 0);
  std::thread other(plan, 5);
  one.join();
  other.join();
  EXPECT_EQ(wrong.load(), 0);
}

// The Image quality and Collimation pages take the obstruction and the spider: by
// default the skirt baffle's obstruction, which the start-up design can have; other
// options make the kept pages stale and reach the next jobs.
TEST(PicturePagesTest, PupilOptionsReachTheQualityAndCollimationPages) {
  PicturePages pages;
  pages.SetDesign(std::make_shared<const Calculation>(CompleteDesign(DesignFields())));
  pages.SetShown(kQualityPage);
  std::optional<PicturePageJob> job = pages.NextJob();
  ASSERT_TRUE(job);
  ASSERT_TRUE(pages.Finish(*job, ComputePicturePage(*job)));
  EXPECT_NE(PageText(*pages.Kept(kQualityPage)).find("central obstruction 40.3 % (skirt baffle), "),
            std::string::npos);

  PictureOptions options;
  options.obstructionChoice = 0.0;  // the secondary
  options.spiderVanes = 4.0;
  options.spiderWidthMm = 4.0;
  const unsigned generation = pages.Generation();
  EXPECT_TRUE(pages.SetOptions(options));
  EXPECT_EQ(pages.Generation(), generation + 1);
  EXPECT_EQ(pages.Kept(kQualityPage), nullptr);
  EXPECT_FALSE(pages.SetOptions(options));  // the same again changes nothing
  EXPECT_EQ(pages.Generation(), generation + 1);

  for (const int page : {kQualityPage, kCollimationPage}) {
    pages.SetShown(page);
    job = pages.NextJob();
    ASSERT_TRUE(job);
    EXPECT_EQ(job->options.spiderVanes, 4.0);
    const std::string text = PageText(ComputePicturePage(*job));
    EXPECT_NE(text.find(page == kQualityPage ? "central obstruction 32.2 % (secondary), "
                                             : "Point images with the spider of 4 vanes 4.00 mm wide"),
              std::string::npos)
        << text.substr(0, 400);
    ASSERT_TRUE(pages.Finish(*job, ComputePicturePage(*job)));
  }
  pages.SetShown(kQualityPage);
  EXPECT_NE(PageText(*pages.Kept(kQualityPage)).find("Spider of 4 vanes 4.00 mm wide at 0.0\xC2\xB0: "),
            std::string::npos);
}

}  // namespace

// The camera page follows its fields: new options make the kept page stale and drop
// the one still computing with the old ones, whose successor computes with the new.
TEST(PicturePagesTest, NewCameraOptionsMakeTheCameraPageStale) {
  PicturePages pages;
  pages.SetDesign(std::make_shared<const Calculation>(CompleteDesign(DesignFields())));
  spekulor::camera::CameraOptions first;
  first.sensor = {3.76, 23.5, 15.7, 2.0};
  pages.SetCameraOptions(first);
  pages.SetShown(kCameraPage);
  std::optional<PicturePageJob> job = pages.NextJob();
  ASSERT_TRUE(job);
  EXPECT_EQ(job->camera.sensor.pixelUm, 3.76);

  spekulor::camera::CameraOptions second = first;
  second.sensor.pixelUm = 9.0;
  pages.SetCameraOptions(second);
  std::optional<PicturePageJob> again = pages.NextJob();
  ASSERT_TRUE(again);  // the old one no longer holds the page up
  EXPECT_EQ(again->camera.sensor.pixelUm, 9.0);
  EXPECT_FALSE(pages.Finish(*job, ComputePicturePage(*job)));
  EXPECT_EQ(pages.Kept(kCameraPage), nullptr);
  const PicturePage page = ComputePicturePage(*again);
  ASSERT_EQ(page.drawings.size(), 1u);
  EXPECT_TRUE(pages.Finish(*again, page));
  ASSERT_NE(pages.Kept(kCameraPage), nullptr);
  EXPECT_EQ(pages.Kept(kCameraPage)->title, "Camera");

  // Other pages keep theirs.
  pages.SetShown(kLayoutPage);
  std::optional<PicturePageJob> layout = pages.NextJob();
  ASSERT_TRUE(layout);
  EXPECT_TRUE(pages.Finish(*layout, ComputePicturePage(*layout)));
  pages.SetCameraOptions(first);
  EXPECT_NE(pages.Kept(kLayoutPage), nullptr);
  EXPECT_EQ(pages.Kept(kCameraPage), nullptr);
}
