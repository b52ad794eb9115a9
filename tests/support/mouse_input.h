// Kept while includes still name it: see user_input.h.
#pragma once
#include "tests/support/user_input.h"
