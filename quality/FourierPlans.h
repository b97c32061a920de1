// FFTW plans and aligned buffers for one transform size, made once and reused for
// every point image and MTF of that size (FFTW 3 manual, sec. 2.1 and 4.3: a plan is
// made for given arrays and executed as often as wanted).
//
// The two-dimensional transform of a zero-padded pupil runs in two passes of
// contiguous one-dimensional transforms: along each of the pupil's columns (only
// those are stored), then, after a blocked transposition into the full array, along
// each row. FFTW's quick planner (FFTW_ESTIMATE, which plans in a fraction of a
// millisecond) picks a poor plan for transforms along strided columns, several times
// slower than this; measured plans (FFTW_MEASURE) would take a third of a second.
#ifndef SPEKULOR_QUALITY_FOURIERPLANS_H
#define SPEKULOR_QUALITY_FOURIERPLANS_H

#include <complex>

struct fftw_plan_s;

namespace spekulor::quality {

class FourierPlans {
 public:
  // Plans a size x size complex transform whose input is non-zero in its first
  // `filledColumns` columns only, and a real transform of length `size`. Throws
  // std::bad_alloc when the buffers cannot be had or FFTW makes no plan. (FFTW's own
  // small allocations while planning and transforming end the program should they fail:
  // the buffers here, taken first, are the many megabytes.)
  FourierPlans(int size, int filledColumns);
  ~FourierPlans();
  FourierPlans(const FourierPlans&) = delete;
  FourierPlans& operator=(const FourierPlans&) = delete;

  int Size() const { return m_size; }

  int FilledColumns() const { return m_filledColumns; }

  // The input's filled columns, FilledColumns() x size values, column after column:
  // f[y, x] at Columns()[x * size + y].
  std::complex<double>* Columns() { return m_columns; }

  // Transforms the input (the columns from FilledColumns() on taken as zeros) into
  // Spectrum(), size x size values row after row:
  // F[v, u] = sum f[y, x] exp(-2 pi i (u x + v y) / size) at Spectrum()[v * size + u].
  // The columns' values are overwritten.
  void Transform();
  const std::complex<double>* Spectrum() const { return m_spectrum; }

  // `size` real values; TransformLine writes their transform's first size / 2 + 1
  // terms, H[k] = sum h[n] exp(-2 pi i k n / size), to LineSpectrum.
  double* Line() { return m_line; }
  const std::complex<double>* LineSpectrum() const { return m_lineSpectrum; }
  void TransformLine();

 private:
  void Release();

  int m_size = 0;
  int m_filledColumns = 0;
  std::complex<double>* m_columns = nullptr;
  std::complex<double>* m_spectrum = nullptr;
  double* m_line = nullptr;
  std::complex<double>* m_lineSpectrum = nullptr;
  fftw_plan_s* m_columnPlan = nullptr;
  fftw_plan_s* m_rowPlan = nullptr;
  fftw_plan_s* m_linePlan = nullptr;
};

}  // namespace spekulor::quality

#endif
