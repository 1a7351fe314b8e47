#pragma once

#include <string>

namespace tonvela {

// The cent calculator's arithmetic on the texts of its three fields: a base
// frequency f1, an interval c in cents and the resulting frequency f2. A
// field counts as given when its text starts with a number.
struct CentCalculation {
    std::string f1;
    std::string cents;
    std::string f2;

    // The first case that fits: f1 and c give f2; f1 and f2 give c; c and f2
    // give f1. Then every field is rewritten (f1 and c as "%g", f2 as "%f").
    // Returns false, leaving the texts as they are, when fewer than two
    // fields are given or the result is no finite number (a zero or negative
    // frequency).
    bool calculate();
};

} // namespace tonvela
