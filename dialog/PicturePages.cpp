#include "dialog/PicturePages.h"

#include <fftw3.h>

#include <algorithm>
#include <utility>

#include "dialog/DesignPictureSet.h"

using namespace spekulor::calc;

namespace spekulor::dialog {

void MakePageComputationsThreadSafe() {
  // The image quality and collimation pages make FFTW plans, and FFTW's planner is
  // not thread-safe unless told to be (FFTW manual, "Thread safety"). A static's
  // initialisation runs once, other callers waiting for it.
  static const bool plannerThreadSafe = (fftw_make_planner_thread_safe(), true);
  static_cast<void>(plannerThreadSafe);
}

PicturePage ComputePicturePage(const PicturePageJob& job) {
  MakePageComputationsThreadSafe();
  return DrawPicturePage(*job.design, job.page, job.pupil);
}

bool PicturePages::SetDesign(std::shared_ptr<const Calculation> design) {
  if (design == m_design) return false;
  m_design = std::move(design);
  ++m_generation;
  for (std::optional<PicturePage>& page : m_kept) page.reset();
  return true;
}

void PicturePages::SetPupilOptions(const PupilPageOptions& pupil) {
  const bool same = pupil.obstruction == m_pupil.obstruction &&
                    pupil.spider.vanes == m_pupil.spider.vanes &&
                    pupil.spider.width == m_pupil.spider.width &&
                    pupil.spider.angleDeg == m_pupil.spider.angleDeg;
  if (same) return;
  m_pupil = pupil;
  ++m_generation;
  m_kept[kQualityPage].reset();
  m_kept[kCollimationPage].reset();
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
  const bool currentRuns =
      std::any_of(m_running.begin(), m_running.end(),
                  [this](const PicturePageJob& job) { return job.generation == m_generation; });
  if (currentRuns) return std::nullopt;
  PicturePageJob job;
  job.generation = m_generation;
  job.page = m_shown;
  job.design = m_design;
  job.pupil = m_pupil;
  m_running.push_back(job);
  ++m_started;
  return job;
}

bool PicturePages::Finish(const PicturePageJob& job, PicturePage page) {
  const auto running =
      std::find_if(m_running.begin(), m_running.end(), [&job](const PicturePageJob& other) {
        return other.generation == job.generation && other.page == job.page;
      });
  if (running != m_running.end()) m_running.erase(running);
  if (job.generation != m_generation || job.page < 0 || job.page >= kPicturePageCount) return false;
  m_kept[static_cast<size_t>(job.page)] = std::move(page);
  return true;
}

}  // namespace spekulor::dialog
