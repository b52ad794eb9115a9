// The runtime tour: a second program on the Ampliwind runtime, made of what
// the calculator does not use. Start, handle events until the frame has
// been closed, stop.
#include "examples/tour/tour.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  hv::LoadStartupControlWord();
  hv::RuntimeStartup();
  tour::OpenFrame();
  while (!hv::IsWindowClosed(&tour::frame)) hv::WaitEvents(0);
  hv::RuntimeShutdown();
  ExitProcess(0);
}
