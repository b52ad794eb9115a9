// Process entry of Ampliwind: start, pump events until the window closes, stop.
#include <windows.h>

#include "app/main_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ampliwind::StartAmpliwind();
  ampliwind::RunEventLoop();
  hv::RuntimeShutdown();
  ExitProcess(0);
}
