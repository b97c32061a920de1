#include "quality/FourierPlans.h"

#include <fftw3.h>

#include <algorithm>
#include <new>

namespace spekulor::quality {

namespace {

// Rows of the result written together in the transposition: the filled columns are
// read 16 values (256 bytes) at a time.
constexpr int kTransposeBlock = 16;

}  // namespace

FourierPlans::FourierPlans(int size, int filledColumns)
    : m_size(size > 0 ? size : 1), m_filledColumns(std::clamp(filledColumns, 1, m_size)) {
  const size_t n = static_cast<size_t>(m_size);
  m_columns = reinterpret_cast<std::complex<double>*>(
      fftw_alloc_complex(static_cast<size_t>(m_filledColumns) * n));
  m_spectrum = reinterpret_cast<std::complex<double>*>(fftw_alloc_complex(n * n));
  m_line = fftw_alloc_real(n);
  m_lineSpectrum = reinterpret_cast<std::complex<double>*>(fftw_alloc_complex(n / 2 + 1));
  if (m_columns == nullptr || m_spectrum == nullptr || m_line == nullptr ||
      m_lineSpectrum == nullptr) {
    Release();
    throw std::bad_alloc();
  }
  // FFTW ends the program when its own allocations fail (its malloc_plain checks them).
  // Those of planning and transforming are a few hundred kilobytes at most for these
  // sizes: the room for them is taken here first and handed back just before planning,
  // so that a tight memory limit throws here instead.
  constexpr size_t kPlanningRoom = size_t{4} << 20;
  void* room = fftw_malloc(kPlanningRoom + 16 * n);
  if (room == nullptr) {
    Release();
    throw std::bad_alloc();
  }
  fftw_free(room);
  // FFTW_ESTIMATE plans without touching the arrays.
  fftw_complex* columns = reinterpret_cast<fftw_complex*>(m_columns);
  fftw_complex* spectrum = reinterpret_cast<fftw_complex*>(m_spectrum);
  int length[1] = {m_size};
  m_columnPlan = fftw_plan_many_dft(1, length, m_filledColumns, columns, nullptr, 1, m_size,
                                    columns, nullptr, 1, m_size, FFTW_FORWARD, FFTW_ESTIMATE);
  m_rowPlan = fftw_plan_many_dft(1, length, m_size, spectrum, nullptr, 1, m_size, spectrum,
                                 nullptr, 1, m_size, FFTW_FORWARD, FFTW_ESTIMATE);
  m_linePlan = fftw_plan_dft_r2c_1d(m_size, m_line,
                                    reinterpret_cast<fftw_complex*>(m_lineSpectrum), FFTW_ESTIMATE);
  // The planner answers null when it has no plan for the arrays (FFTW 3 manual, sec.
  // 4.3.1); a transform that cannot be made is like memory that cannot be had.
  if (m_columnPlan == nullptr || m_rowPlan == nullptr || m_linePlan == nullptr) {
    Release();
    throw std::bad_alloc();
  }
}

FourierPlans::~FourierPlans() { Release(); }

void FourierPlans::Release() {
  // fftw_destroy_plan and fftw_free take null.
  fftw_destroy_plan(m_columnPlan);
  fftw_destroy_plan(m_rowPlan);
  fftw_destroy_plan(m_linePlan);
  fftw_free(m_columns);
  fftw_free(m_spectrum);
  fftw_free(m_line);
  fftw_free(m_lineSpectrum);
  m_columnPlan = m_rowPlan = m_linePlan = nullptr;
  m_columns = m_spectrum = m_lineSpectrum = nullptr;
  m_line = nullptr;
}

void FourierPlans::Transform() {
  fftw_execute(m_columnPlan);
  // Column x of the transformed input becomes column x of the spectrum; the rest of
  // each row is zero.
  const int n = m_size;
  const int filled = m_filledColumns;
  for (int v0 = 0; v0 < n; v0 += kTransposeBlock) {
    const int v1 = std::min(n, v0 + kTransposeBlock);
    for (int x = 0; x < filled; ++x) {
      const std::complex<double>* from = m_columns + static_cast<size_t>(x) * n;
      for (int v = v0; v < v1; ++v) m_spectrum[static_cast<size_t>(v) * n + x] = from[v];
    }
  }
  for (int v = 0; v < n; ++v) {
    std::complex<double>* row = m_spectrum + static_cast<size_t>(v) * n;
    std::fill(row + filled, row + n, std::complex<double>(0.0, 0.0));
  }
  fftw_execute(m_rowPlan);
}

void FourierPlans::TransformLine() { fftw_execute(m_linePlan); }

}  // namespace spekulor::quality
