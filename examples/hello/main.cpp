// Hello: a window that asks for a name and greets it.
#include "runtime/typed.h"  // the runtime, and typed calls over it

hv::WindowRecord window;
constexpr int32_t ID_NAME = 10, ID_GREET = 11;

int32_t Handler() {  // every event of the window comes here
  const hv::EventState& event = hv::eventState;
  if (event.eventCode == hv::EV_CLOSEWINDOW) {  // the close box
    hv::CloseWindow(&window);
    return 1;
  }
  if (event.eventCode != hv::EV_CONTROL || event.eventControl != ID_GREET) return 0;
  hv::HeapText name = hv::ControlText(&window, ID_NAME);  // a heap text, freed at the return
  hv::DrawRect(&window, 20, 90, 320, 24, GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOW));
  hv::MoveTo(&window, 20, 90);
  hv::Print(&window, "Hello, ", name, "!");
  return 1;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  hv::LoadStartupControlWord();
  hv::RuntimeStartup();
  hv::OpenWindow(&window, 100, 100, 360, 150, 0, nullptr, "Hello", Handler);
  hv::MoveTo(&window, 20, 20);
  hv::Print(&window, "Your name:");
  hv::CreateControl(&window, hv::CK_EDIT, "", 20, 45, 200, 26, 0, ID_NAME);
  hv::CreateControl(&window, hv::CK_BUTTON, "Greet", 230, 44, 90, 28, 0, ID_GREET);
  while (!hv::IsWindowClosed(&window)) hv::WaitEvents(0);  // until the close box
  hv::RuntimeShutdown();
  return 0;
}
