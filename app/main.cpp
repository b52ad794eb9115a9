// Process entry of Ampliwind.
#include <windows.h>

#include "runtime/runtime.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  hv::LoadStartupControlWord();
  hv::RuntimeStartup();
  hv::RuntimeShutdown();
  return 0;
}
