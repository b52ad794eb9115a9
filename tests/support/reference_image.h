// Whole pictures compared with reference images kept in the tree, pixel for
// pixel. A difference is shown as pictures beside the test program: what was
// seen, and the reference greyed with each differing pixel red.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/support/pixels.h"

namespace hvtest {

// name: a path under tests/ without extension, e.g. "app/reference/calculator-96".
// With HV_UPDATE_REFERENCES=1 in the environment the reference is written
// from what was seen instead, and the comparison fails, so that a run that
// wrote references is never taken for a passing one.
::testing::AssertionResult MatchesReference(const Pixels& seen, const std::string& name);
// The whole window, frame included, as the screen shows it with the pointer
// away, matches the reference. Waits for it: a caret blinks, and controls
// repaint on their own schedule.
::testing::AssertionResult ShowsPicture(HWND window, const std::string& name);
// The window's picture, saved as a PNG file of this name beside the build.
bool SaveScreenshot(HWND window, const char* name);

}  // namespace hvtest
