// Old name of the fixture root and recorder, kept while branches that still
// include it are merged: use tests/support/window_test.h and hvtest::.
#pragma once

#include "tests/support/window_test.h"

namespace wt = hvtest;
