// Kept while includes still name it: see window_test.h.
#pragma once
#include "tests/support/window_test.h"
