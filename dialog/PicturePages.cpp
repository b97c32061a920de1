#include "dialog/PicturePages.h"

#ifdef SPEKULOR_THREADS
#include <fftw3.h>
#endif

#include <algorithm>
#include <utility>

#include "dialog/CameraTab.h"
#include "dialog/DesignPictureSet.h"

using namespace spekulor::calc;

namespace spekulor::dialog {

void MakePageComputationsThreadSafe() {
#ifdef SPEKULOR_THREADS
  // The image quality and collimation pages make FFTW plans, and FFTW's planner is
  // not thread-safe unless told to be (FFTW manual, "Thread safety"). A static's
  // initialisation runs once, other callers waiting for it.
  static const bool plannerThreadSafe = (fftw_make_planner_thread_safe(), true);
  static_cast<void>(plannerThreadSafe);
#endif
}

PicturePage ComputePicturePage(const PicturePageJob& job) {
  MakePageComputationsThreadSafe();
  if (job.page == kCameraPage) return DrawCameraPage(*job.design, job.camera, PicturePageTitle(job.page));
  return DrawPicturePage(*job.design, job.page, job.options);
}

void PicturePages::SetCameraOptions(const camera::CameraOptions& options) {
  m_cameraOptions = options;
  ++m_cameraEdition;
  m_kept[kCameraPage].reset();
}

bool PicturePages::SetDesign(std::shared_ptr<const Calculation> design) {
  if (design == m_design) return false;
  m_design = std::move(design);
  MakeStale();
  return true;
}

bool PicturePages::SetOptions(const PictureOptions& options) {
  if (options == m_options) return false;
  m_options = options;
  MakeStale();
  return true;
}

void PicturePages::MakeStale() {
  ++m_generation;
  for (std::optional<PicturePage>& page : m_kept) page.reset();
}

void PicturePages::SetShown(int page) {
  if (page >= 0 && page < kPicturePageCount) m_shown = page;
}

const PicturePage* PicturePages::Kept(int page) const {
  if (page < 0 || page >= kPicturePageCount || !m_kept[static_cast<size_t>(page)]) return nullptr;
  return &*m_kept[static_cast<size_t>(page)];
}

std::optional<PicturePageJob> PicturePages::NextJob() {
  if (!ShownIsBusy() || Running() >= kMostRunning) return std::nullopt;
  const bool currentRuns = std::any_of(m_running.begin(), m_running.end(), [this](const PicturePageJob& job) {
    return job.generation == m_generation && (job.page != kCameraPage || job.cameraEdition == m_cameraEdition);
  });
  if (currentRuns) return std::nullopt;
  PicturePageJob job;
  job.generation = m_generation;
  job.page = m_shown;
  job.design = m_design;
  job.camera = m_cameraOptions;
  job.cameraEdition = m_cameraEdition;
  job.options = m_options;
  m_running.push_back(job);
  ++m_started;
  return job;
}

bool PicturePages::Finish(const PicturePageJob& job, PicturePage page) {
  const auto running =
      std::find_if(m_running.begin(), m_running.end(), [&job](const PicturePageJob& other) {
        return other.generation == job.generation && other.page == job.page &&
               other.cameraEdition == job.cameraEdition;
      });
  if (running != m_running.end()) m_running.erase(running);
  if (job.generation != m_generation || job.page < 0 || job.page >= kPicturePageCount) return false;
  if (job.page == kCameraPage && job.cameraEdition != m_cameraEdition) return false;
  m_kept[static_cast<size_t>(job.page)] = std::move(page);
  return true;
}

}  // namespace spekulor::dialog
