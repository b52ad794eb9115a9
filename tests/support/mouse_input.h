// The mouse input a user's mouse makes, for SendInput.
#pragma once

#include <windows.h>

namespace hvtest {

// A move to a point of the screen, with whatever else flags add (a press,
// a release): a press or release that carries its point lands there even
// when an earlier move has not been taken in yet.
INPUT MouseInputAt(POINT screen, DWORD flags);

}  // namespace hvtest
