// FFTW plans and aligned buffers for one transform size, made once and reused for
// every point image and MTF of that size (FFTW 3 manual, sec. 2.1 and 4.3: a plan is
// made for given arrays and executed as often as wanted).
#ifndef SPEKULOR_QUALITY_FOURIERPLANS_H
#define SPEKULOR_QUALITY_FOURIERPLANS_H

#include <complex>

struct fftw_plan_s;

class FourierPlans {
 public:
  // Plans a size x size complex transform whose input is non-zero in its first
  // `filledRows` rows only (a zero-padded pupil), and a real transform of length `size`.
  FourierPlans(int size, int filledRows);
  ~FourierPlans();
  FourierPlans(const FourierPlans&) = delete;
  FourierPlans& operator=(const FourierPlans&) = delete;

  int Size() const { return m_size; }

  int FilledRows() const { return m_filledRows; }

  // size x size values, row after row; transformed in place by TransformField into
  // F[k, l] = sum f[n, m] exp(-2 pi i (k n + l m) / size). The rows from FilledRows()
  // on are taken as zeros, whatever they hold: the rows are transformed first, only
  // the filled ones, then the columns.
  std::complex<double>* Field() { return m_field; }
  void TransformField();

  // `size` real values; TransformLine writes their transform's first size / 2 + 1
  // terms, H[k] = sum h[n] exp(-2 pi i k n / size), to LineSpectrum.
  double* Line() { return m_line; }
  const std::complex<double>* LineSpectrum() const { return m_spectrum; }
  void TransformLine();

 private:
  int m_size = 0;
  int m_filledRows = 0;
  std::complex<double>* m_field = nullptr;
  double* m_line = nullptr;
  std::complex<double>* m_spectrum = nullptr;
  fftw_plan_s* m_rowPlan = nullptr;
  fftw_plan_s* m_columnPlan = nullptr;
  fftw_plan_s* m_linePlan = nullptr;
};

#endif
