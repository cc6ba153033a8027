#pragma once

#include "optics/PhIndexFunction.h"

// Common base of the analytic index functions; f(λ) is given by a closed formula.
class PhContinuousIndexFunction : public PhIndexFunction
{
};
