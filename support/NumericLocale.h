// Numbers written with "." whatever the process locale: the "C" numeric conventions
// for the calling thread while a scope lives (POSIX uselocale, per thread).
#ifndef SPEKULOR_SUPPORT_NUMERICLOCALE_H
#define SPEKULOR_SUPPORT_NUMERICLOCALE_H

namespace spekulor::support {

// Holds the "C" numeric conventions for the calling thread while it lives, whatever
// the process locale is, so that printf-style formatting writes numbers with ".".
class NumericLocaleScope {
 public:
  NumericLocaleScope();
  ~NumericLocaleScope();
  NumericLocaleScope(const NumericLocaleScope&) = delete;
  NumericLocaleScope& operator=(const NumericLocaleScope&) = delete;

 private:
  void* previous_;
};

}  // namespace spekulor::support

#endif
