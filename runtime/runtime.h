// The Ampliwind runtime: everything an application needs, in namespace hv.
#pragma once

#include "runtime/core/core.h"
#include "runtime/window/window.h"
#include "runtime/draw/draw.h"
#include "runtime/controls/controls.h"
