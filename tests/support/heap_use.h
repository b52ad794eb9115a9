// Kept while includes still name it: see heap_count.h.
#pragma once
#include "tests/support/heap_count.h"
