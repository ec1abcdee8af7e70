#include "base/error.h"

#include <cmath>

namespace qor {

long double CheckedDivide(long double numerator, long double denominator) {
  if (std::isnan(numerator) || std::isnan(denominator)) throw Error(kInvalidFloatOp);
  if (denominator == 0) {
    if (numerator == 0) throw Error(kInvalidFloatOp);
    throw Error(kDivideByZero);
  }
  return numerator / denominator;
}

}  // namespace qor
