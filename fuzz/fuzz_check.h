#pragma once

namespace fuzzcheck {

// Ends the run with a message libFuzzer reports as a crash.
void check(bool condition, const char* what);

}  // namespace fuzzcheck
