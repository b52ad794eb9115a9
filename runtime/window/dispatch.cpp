// Publishing one event: EventState saved, filled by the translation table,
// the handler and the handler table called, EventState restored.
#include "runtime/window/window_internal.h"

namespace hv {

EventState eventState = {};

namespace {

// Each translation fills the fields its source message defines and returns
// the event code the handler sees.
typedef int32_t (*Translation)(WindowRecord* record, int32_t code, INT_PTR p1, INT_PTR p2);

int32_t TranslateCommand(WindowRecord* record, int32_t, INT_PTR p1, INT_PTR p2) {
  if (p2) {
    eventState.eventControl = LOWORD(p1);
    eventState.eventNotify = HIWORD(p1);
    return EV_CONTROL;
  }
  eventState.eventMenu = LOWORD(p1);
  if (WindowRecord* child = ActiveMdiChildRecord(record)) eventState.eventWindow = child;
  RunMdiCommand(record, eventState.eventMenu);
  return EV_MENU;
}

int32_t TranslateNotify(WindowRecord*, int32_t code, INT_PTR, INT_PTR p2) {
  const NMHDR* header = reinterpret_cast<const NMHDR*>(p2);
  if (!header) return code;  // no record to read: a plain message, not a crash
  eventState.eventControl = static_cast<int32_t>(header->idFrom);
  eventState.eventNotify = static_cast<int32_t>(header->code);
  return EV_CONTROL;
}

// A coordinate word in 96-DPI pixels, kept a word: signed within, unsigned out.
int32_t StandardWord(WORD device, int32_t dpi) {
  return WORD(FromDevice(int16_t(device), dpi));
}

int32_t TranslateMouse(WindowRecord* record, int32_t code, INT_PTR p1, INT_PTR p2) {
  int32_t dpi = DpiOfWindow(record->hwnd);
  eventState.eventParam2 = p1;
  eventState.eventX = StandardWord(LOWORD(p2), dpi);
  eventState.eventY = StandardWord(HIWORD(p2), dpi);
  return code;
}

int32_t TranslateScroll(WindowRecord*, int32_t code, INT_PTR p1, INT_PTR p2) {
  HWND bar = reinterpret_cast<HWND>(p2);
  eventState.eventControl = bar ? GetDlgCtrlID(bar) : 0;
  eventState.eventParam1 = LOWORD(p1);
  eventState.eventParam2 = HIWORD(p1);
  return code;
}

struct EventRule {
  int32_t firstCode, lastCode;
  Translation translate;
};

// Codes not listed reach the handler unchanged, with the message's parameters.
const EventRule eventRules[] = {
    {WM_COMMAND, WM_COMMAND, TranslateCommand},
    {EV_CONTROL, EV_CONTROL, TranslateCommand},
    {WM_NOTIFY, WM_NOTIFY, TranslateNotify},
    {WM_MOUSEMOVE, WM_RBUTTONDBLCLK, TranslateMouse},
    {WM_HSCROLL, WM_VSCROLL, TranslateScroll},
};

int32_t Translate(WindowRecord* record, int32_t code, INT_PTR p1, INT_PTR p2) {
  for (const EventRule& rule : eventRules)
    if (code >= rule.firstCode && code <= rule.lastCode) return rule.translate(record, code, p1, p2);
  return code;
}

}  // namespace

int32_t DispatchEvent(WindowRecord* record, int32_t code, INT_PTR param1, INT_PTR param2) {
  // A closed record has no window to speak for: its handler hears nothing.
  // (The window procedure attaches the handle before the first creation event.)
  if (!record || !record->hwnd) return 0;
  const EventState saved = eventState;
  eventState.eventParam1 = param1;
  eventState.eventParam2 = param2;
  eventState.eventWindow = record;
  eventState.eventCode = Translate(record, code, param1, param2);

  int32_t result = record->handler ? record->handler() : 0;
  result |= LookUpHandlers(record->hwnd, eventState.eventCode);

  // The command identifier of the last menu event stays readable afterwards.
  const int32_t menu = eventState.eventMenu;
  eventState = saved;
  eventState.eventMenu = menu;
  return result;
}

}  // namespace hv
