#include "FourierPlans.h"

#include <fftw3.h>

#include <algorithm>
#include <new>

FourierPlans::FourierPlans(int size, int filledRows)
    : m_size(size > 0 ? size : 1), m_filledRows(std::clamp(filledRows, 1, m_size)) {
  const size_t n = static_cast<size_t>(m_size);
  m_field = reinterpret_cast<std::complex<double>*>(fftw_alloc_complex(n * n));
  m_line = fftw_alloc_real(n);
  m_spectrum = reinterpret_cast<std::complex<double>*>(fftw_alloc_complex(n / 2 + 1));
  if (m_field == nullptr || m_line == nullptr || m_spectrum == nullptr) {
    fftw_free(m_field);
    fftw_free(m_line);
    fftw_free(m_spectrum);
    throw std::bad_alloc();
  }
  // FFTW_ESTIMATE plans without touching the arrays and in well under a millisecond.
  fftw_complex* field = reinterpret_cast<fftw_complex*>(m_field);
  int length[1] = {m_size};
  m_rowPlan = fftw_plan_many_dft(1, length, m_filledRows, field, nullptr, 1, m_size, field,
                                 nullptr, 1, m_size, FFTW_FORWARD, FFTW_ESTIMATE);
  m_columnPlan = fftw_plan_many_dft(1, length, m_size, field, nullptr, m_size, 1, field, nullptr,
                                    m_size, 1, FFTW_FORWARD, FFTW_ESTIMATE);
  m_linePlan = fftw_plan_dft_r2c_1d(m_size, m_line, reinterpret_cast<fftw_complex*>(m_spectrum),
                                    FFTW_ESTIMATE);
}

FourierPlans::~FourierPlans() {
  fftw_destroy_plan(m_rowPlan);
  fftw_destroy_plan(m_columnPlan);
  fftw_destroy_plan(m_linePlan);
  fftw_free(m_field);
  fftw_free(m_line);
  fftw_free(m_spectrum);
}

void FourierPlans::TransformField() {
  fftw_execute(m_rowPlan);
  const size_t filled = static_cast<size_t>(m_filledRows) * m_size;
  std::fill(m_field + filled, m_field + static_cast<size_t>(m_size) * m_size,
            std::complex<double>(0.0, 0.0));
  fftw_execute(m_columnPlan);
}

void FourierPlans::TransformLine() { fftw_execute(m_linePlan); }
