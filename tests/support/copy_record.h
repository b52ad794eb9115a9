// Kept while includes still name it: see recorder.h.
#pragma once
#include "tests/support/recorder.h"
