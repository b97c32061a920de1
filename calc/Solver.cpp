#include "calc/Solver.h"

#include <cmath>

#include "support/AppCore.h"
#include "support/Units.h"

using namespace spekulor::support;

namespace spekulor::calc {

namespace {

double Square(double x) { return x * x; }

// C = ((m + 1) / (m - 1))^2, the magnitude of a classical Cassegrain secondary's conic.
double ClassicConic(double m) { return Square((m + 1.0) / (m - 1.0)); }

// With both conjugate distances of the secondary known (p before the prime focus,
// q to the system focus): m = q / p, F = f1 m, d = f1 - p, b = q - d, R1 and C.
DesignResult CompleteFromSecondaryConjugates(DesignResult g) {
  const double f1 = g.PriFoc;
  const double p = g.SecPriFocDist;
  const double q = g.SecSysFocDist;
  g.SecMag = q / p;
  g.SysFoc = f1 * g.SecMag;
  g.PriSecDist = f1 - p;
  g.BackFocLen = q - (f1 - p);
  g.PriRadCur = 2.0 * f1;
  g.ClassicSecConic = ClassicConic(g.SecMag);
  return g;
}

}  // namespace

DesignResult StartDesign(const DesignInput& in) {
  DesignResult design;
  design.PriDia = in.PriDia;
  design.FieldAng = in.FieldAng;
  design.PriFoc = in.PriFoc;
  design.SysFoc = in.SysFoc;
  design.BackFocLen = in.BackFocLen;
  design.SecSysFocDist = in.SecSysFocDist;
  design.SecPriFocDist = in.SecPriFocDist;
  design.SecRadCur = in.SecRadCur;
  design.PriConic = in.PriConic;
  design.SecConic = in.SecConic;
  design.FieldRad = in.FieldAng / kFieldDegreesPerRadian;
  return design;
}

DesignResult SolveGeometry(DesignResult g, SolvePath path) {
  const double f1 = g.PriFoc;
  switch (path) {
    case SolvePath::FromSystemFocus: {
      const double m = g.SysFoc / f1;
      const double p = (f1 + g.BackFocLen) / (m + 1.0);
      const double q = p * m;
      g.SecMag = m;
      g.SecPriFocDist = p;
      g.SecSysFocDist = q;
      g.PriRadCur = 2.0 * f1;
      g.PriSecDist = f1 - p;
      g.SecRadCur = 2.0 * q / (m - 1.0);
      g.ClassicSecConic = ClassicConic(m);
      break;
    }
    case SolvePath::FromSecSysFocDist: {
      const double R2 = g.SecRadCur;
      const double q = g.SecSysFocDist;
      g.SecPriFocDist = R2 * q / (2.0 * q + R2);
      g = CompleteFromSecondaryConjugates(g);
      break;
    }
    case SolvePath::FromSecPriFocDist: {
      const double R2 = g.SecRadCur;
      const double p = g.SecPriFocDist;
      g.SecSysFocDist = R2 * p / (R2 - 2.0 * p);
      g = CompleteFromSecondaryConjugates(g);
      break;
    }
    case SolvePath::FromBackFocLen: {
      // The rules guarantee all four; the guards keep this step honest on its own.
      const double PriFoc = g.PriFoc, PriDia = g.PriDia;
      const double BackFocLen = g.BackFocLen, SecRadCur = g.SecRadCur;
      Assert(PriFoc != HUGE_VAL);
      Assert(PriDia != HUGE_VAL);
      Assert(BackFocLen != HUGE_VAL);
      Assert(SecRadCur != HUGE_VAL);
      const double PriSysFocDist = PriFoc + BackFocLen;
      Assert(PriSysFocDist != HUGE_VAL);
      g.PriSysFocDist = PriSysFocDist;
      const double e = PriSysFocDist;
      const double R2 = SecRadCur;
      // The smaller root of p^2 - (e + R2) p + R2 e / 2 = 0.
      const double p = ((e + R2) - std::sqrt(R2 * R2 + e * e)) / 2.0;
      g.SecPriFocDist = p;
      g.SecSysFocDist = e - p;
      g.SecMag = (e - p) / p;
      g.SysFoc = f1 * g.SecMag;
      g.PriSecDist = f1 - p;
      g.PriRadCur = 2.0 * f1;
      g.ClassicSecConic = ClassicConic(g.SecMag);
      break;
    }
    case SolvePath::FromSecConic: {
      // The entry is read as the magnitude of a classical Cassegrain secondary's conic.
      const double R2 = g.SecRadCur;
      const double s = std::sqrt(g.SecConic);
      const double m = (s + 1.0) / (s - 1.0);
      const double q = (m - 1.0) * R2 / 2.0;
      const double p = q / m;
      g.SecMag = m;
      g.SecSysFocDist = q;
      g.SecPriFocDist = p;
      g.SysFoc = f1 * m;
      g.PriSecDist = f1 - p;
      g.BackFocLen = q - g.PriSecDist;
      g.PriRadCur = 2.0 * f1;
      g.ClassicSecConic = ClassicConic(m);
      g.SecConic = -g.SecConic;
      break;
    }
  }
  return g;
}

DesignResult SetDesignConics(DesignResult g, TelescopeType type) {
  const double m = g.SecMag;
  const double R1 = g.PriRadCur;
  const double R2 = g.SecRadCur;
  const double d = g.PriSecDist;
  const double p = g.SecPriFocDist;
  const double C = g.ClassicSecConic;
  switch (type) {
    case TelescopeType::Classical:
      g.PriConic = -1.0;
      g.SecConic = -C;
      break;
    case TelescopeType::DallKirkham:
      g.PriConic = Square(m * m - 1.0) * (R2 / R1) / (m * m * m * m) - 1.0;
      g.SecConic = 0.0;
      break;
    case TelescopeType::RitcheyChretien:
      g.PriConic = -(2.0 * p / (d * m * m) + 1.0);
      g.SecConic = -(m * R1 / (std::pow(m - 1.0, 3) * d) + C);
      break;
    case TelescopeType::PressmannCamichel:
      g.PriConic = 0.0;
      g.SecConic = std::pow(m / (m - 1.0), 4) * (R1 / R2) - C;
      break;
    case TelescopeType::Stigmatic:
      if (g.PriConic != HUGE_VAL) {
        g.SecConic = std::pow(m / (m - 1.0), 3) * ((g.PriConic + 1.0) * R1 / (R1 - 2.0 * d)) - C;
      } else {
        g.PriConic = (C + g.SecConic) * std::pow((m - 1.0) / m, 4) * (R2 / R1) - 1.0;
      }
      break;
  }
  return g;
}

DesignResult SizeSecondary(DesignResult g) {
  g.SecMinDia = g.SecPriFocDist * g.PriDia / g.PriFoc;
  g.SecDia = g.PriSecDist * g.FieldRad + g.SecMinDia;
  return g;
}

DesignResult ComputeObstruction(DesignResult g) {
  const double pi = kPi;
  g.LinObstruction = g.SecDia / g.PriDia * 100.0;
  g.AreaObstruction =
      (Square(g.SecDia / 2.0) * pi) / (Square(g.PriDia / 2.0) * pi) * 100.0;
  return g;
}

DesignResult ComputeSagittas(DesignResult g) {
  g.PriSag = g.PriDia * g.PriDia / (16.0 * g.PriFoc);
  g.SecSag = g.SecDia * g.SecDia / (8.0 * g.SecRadCur);
  return g;
}

}  // namespace spekulor::calc
