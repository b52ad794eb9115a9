// Old name of the drawing fixture, kept while branches that still include it
// are merged: use tests/support/draw_window.h.
#pragma once

#include "tests/support/draw_window.h"
