// The secondary's test and the refit as text: the tables spekulor-cli prints and the
// window shows, and the one wording of why there is no test or no refit. Windows-1252.
#ifndef SPEKULOR_MIRRORTESTS_SECONDARYTESTTEXT_H
#define SPEKULOR_MIRRORTESTS_SECONDARYTESTTEXT_H

#include <string>
#include <vector>

#include "calc/DesignInput.h"
#include "mirrortests/Refit.h"
#include "mirrortests/SecondaryTest.h"

namespace spekulor::mirrortests {

// Why a secondary has no Hindle test, and how such a secondary is tested instead.
std::string HindleProblemText(HindleProblem problem, double detail, calc::LengthUnit unit);

// Why the mirrors make no telescope.
std::string RefitProblemText(RefitProblem problem, double detail, calc::LengthUnit unit);

// The table of a laid-out test (test.layout.problem None), one line an element.
std::vector<std::string> SecondaryTestLines(const SecondaryTest& test,
                                            const SecondaryTestOptions& options,
                                            calc::TelescopeType type, calc::LengthUnit unit,
                                            double wavelengthNm);

// The refit beside the design, one line an element (refit.problem None).
std::vector<std::string> RefitLines(const calc::DesignResult& design, const RefitRequest& request,
                                    const RefitResult& refit, calc::TelescopeType type,
                                    calc::LengthUnit unit, double wavelengthNm);

// The lines above as one text, each ended by a line feed.
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace spekulor::mirrortests

#endif
