// A first program on the Ampliwind runtime: a window with a title, a line of
// coloured text, an edit field, a button that draws the field's text and
// adds it to a list box. TAB moves between the controls; ENTER in the field
// does what the button does. Texts are UTF-8 (hv_use_utf8 in CMakeLists.txt).
#include "runtime/typed.h"  // the runtime, and typed calls over it

namespace {

// With dialog keys on, ENTER presses the button whose identifier is IDOK.
enum : int32_t { ID_ADD = IDOK, ID_FIELD = 10, ID_LIST = 11 };
constexpr COLORREF INK = RGB(0, 64, 160);
constexpr int32_t LINE_X = 20, LINE_Y = 200;  // where the typed text is drawn

hv::WindowRecord window;

void AddEntry() {
  hv::HeapText text = hv::ControlText(&window, ID_FIELD);  // a heap text, freed at the return
  hv::DrawRect(&window, LINE_X, LINE_Y, 400, 24, GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOW));
  hv::MoveTo(&window, LINE_X, LINE_Y);
  hv::Print(&window, "You typed: ", text);
  hv::AddItem(&window, ID_LIST, text.c_str());
  hv::SetControlText(&window, ID_FIELD, "");
  hv::SetControlFocus(&window, ID_FIELD);
}

int32_t Handler() {
  const hv::EventState& event = hv::eventState;
  if (event.eventCode == hv::EV_CLOSEWINDOW) {  // the close box: nothing closes unless we say so
    hv::CloseWindow(&window);
    return 1;
  }
  if (event.eventCode == hv::EV_CONTROL && event.eventControl == ID_ADD) {
    AddEntry();
    return 1;
  }
  return 0;  // everything else: the system's default
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  hv::LoadStartupControlWord();  // the runtime's number conversions expect it
  hv::RuntimeStartup();
  hv::OpenWindow(&window, 100, 100, 460, 280, 0, nullptr, "First program — Grüße ✓", Handler);
  hv::SetDialogKeys(&window, 1);  // TAB between the controls, ENTER presses ID_ADD
  hv::SetFont(&window, "Tahoma", 12, FW_NORMAL, 0, 0);
  hv::SetFrontPen(&window, INK);  // the text colour too
  hv::MoveTo(&window, 20, 16);
  hv::Print(&window, "Grüße ✓ Жук: type, then ENTER");
  hv::CreateControl(&window, hv::CK_EDIT, "Grüße", 20, 52, 280, 24, WS_TABSTOP | ES_AUTOHSCROLL, ID_FIELD);
  hv::SetControlLabel(&window, ID_FIELD, "Text to add");  // its name for screen readers
  hv::CreateControl(&window, hv::CK_BUTTON, "Add ✓", 310, 50, 110, 28, WS_TABSTOP, ID_ADD);
  hv::CreateControl(&window, hv::CK_LISTBOX, "", 20, 90, 400, 100, WS_TABSTOP | WS_VSCROLL, ID_LIST);
  hv::SetControlColor(&window, ID_ADD, RGB(255, 255, 255), INK);
  hv::SetControlFocus(&window, ID_FIELD);

  while (!hv::IsWindowClosed(&window)) hv::WaitEvents(0);
  hv::RuntimeShutdown();
  return 0;
}
