// The pictures window's pages, drawn when they are looked at: which page of which
// design is to be computed next, and the pages already computed for the last
// completed design.
//
// The window (the toolkit's side) owns a PicturePages and asks it what to do; the computations
// themselves (ComputePicturePage) run wherever the toolkit likes, on a copy of the
// design they were started for, and come back through Finish. A new design makes every
// kept page stale at once: it bumps the generation, and a page computed for an older
// generation is dropped when it comes back, never kept nor shown.
#ifndef SPEKULOR_DIALOG_PICTUREPAGES_H
#define SPEKULOR_DIALOG_PICTUREPAGES_H

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "calc/Calculate.h"
#include "camera/CameraPage.h"
#include "dialog/CameraTab.h"
#include "dialog/PictureOptions.h"
#include "dialog/PictureSet.h"

namespace spekulor::dialog {

constexpr int kPicturePageCount = 6;

// One page to compute: the design (shared, never changed once made) and its generation,
// the analyses' options; for the camera page, the sensor's options and their edition.
struct PicturePageJob {
  unsigned generation = 0;
  int page = kLayoutPage;
  std::shared_ptr<const calc::Calculation> design;
  camera::CameraOptions camera;
  unsigned cameraEdition = 0;
  PictureOptions options;
};

// The page's drawings or refusal; pure, safe on any thread and on several at once.
PicturePage ComputePicturePage(const PicturePageJob& job);

// Makes the analyses' shared libraries safe to call from several threads at once
// (FFTW's planner); ComputePicturePage does it before its first page. Idempotent.
void MakePageComputationsThreadSafe();

class PicturePages {
 public:
  // Computations that may run at once: one for the current design, and one more of
  // an older design still finishing (the analyses cannot be interrupted).
  static constexpr int kMostRunning = 2;

  // A completed design becomes the current one. A design other than the current one
  // (another Calculation object) makes every kept page stale and returns true; the
  // current one again keeps them.
  bool SetDesign(std::shared_ptr<const calc::Calculation> design);
  bool HasDesign() const { return m_design != nullptr; }
  const std::shared_ptr<const calc::Calculation>& Design() const { return m_design; }

  unsigned Generation() const { return m_generation; }

  // The camera page's options (the page's fields; DefaultCameraOptions at first): new
  // ones make its kept page, and one still computing with the old ones, stale.
  void SetCameraOptions(const camera::CameraOptions& options);
  const camera::CameraOptions& CameraOptions() const { return m_cameraOptions; }
  // The analyses' options: other options than the current ones make every kept page
  // stale, as a new design does, and return true.
  bool SetOptions(const PictureOptions& options);
  const PictureOptions& Options() const { return m_options; }

  // The tab the user looks at.
  void SetShown(int page);
  int Shown() const { return m_shown; }

  // The page of the current design when it has been computed, or null.
  const PicturePage* Kept(int page) const;
  // True while the shown page of the current design waits for its computation.
  bool ShownIsBusy() const { return HasDesign() && Kept(m_shown) == nullptr; }

  // The computation to start now, counted as running: the shown page of the current
  // design when it is not kept, not already running, no other page of the current
  // design runs and fewer than kMostRunning run in all. Nothing otherwise.
  std::optional<PicturePageJob> NextJob();
  // A computation came back. Its page is kept when its design is still the current
  // one (true), dropped otherwise (false).
  bool Finish(const PicturePageJob& job, PicturePage page);

  int Running() const { return static_cast<int>(m_running.size()); }
  // Computations started since this object was made.
  int Started() const { return m_started; }

 private:
  // A new generation: no kept page is shown again, no running one kept.
  void MakeStale();

  std::shared_ptr<const calc::Calculation> m_design;
  PictureOptions m_options;
  unsigned m_generation = 0;
  int m_shown = kLayoutPage;
  std::array<std::optional<PicturePage>, kPicturePageCount> m_kept;
  std::vector<PicturePageJob> m_running;
  int m_started = 0;
  camera::CameraOptions m_cameraOptions = DefaultCameraOptions();
  unsigned m_cameraEdition = 0;
};

}  // namespace spekulor::dialog

#endif
