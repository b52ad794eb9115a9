// The message pump: each queued message goes through the accelerators and,
// when asked for, the dialog-key handling of its runtime window.
#include "runtime/core/utf8_internal.h"
#include "runtime/window/window_internal.h"

namespace hv {
namespace {

// The system's queue calls in one kind. A program of the code page takes
// messages as that code page has them; a UTF-8 program takes them as
// UTF-16: the system turns a typed character into the code page only
// through its old one-byte table, and would hand a control "?" for most.
struct QueueCalls {
  BOOL(WINAPI* peek)(MSG*, HWND, UINT, UINT, UINT);
  BOOL(WINAPI* isDialogMessage)(HWND, MSG*);
  int(WINAPI* translateAccelerator)(HWND, HACCEL, MSG*);
  LRESULT(WINAPI* dispatch)(const MSG*);
};
const QueueCalls codePageCalls = {PeekMessageA, IsDialogMessageA, TranslateAcceleratorA,
                                  DispatchMessageA};
const QueueCalls unicodeCalls = {PeekMessageW, IsDialogMessageW, TranslateAcceleratorW,
                                 DispatchMessageW};

// The message's own window or nearest ancestor of a runtime class, with its
// record. One not attached yet (still being created) has no dialog-key
// setting to read: its messages go the way of a foreign window's.
WindowRecord* RuntimeRecordOf(HWND window, HWND* runtimeWindow) {
  for (HWND w = window; w; w = GetParent(w)) {
    if (!IsRuntimeWindow(w)) continue;
    *runtimeWindow = w;
    return AttachedRecord(w);
  }
  return nullptr;
}

// Every message of a runtime window is offered to its accelerators, as it
// came from the queue: a character beyond ASCII as the character it is.
void OfferToAccelerators(const QueueCalls& calls, HWND window, MSG* message) {
  auto accelerators = static_cast<HACCEL>(GetPropA(window, WP_ACCEL_TABLE));
  if (accelerators) calls.translateAccelerator(window, accelerators, message);
}

bool ShouldDispatch(const QueueCalls& calls, WindowRecord* record, HWND window, MSG* message) {
  // False when the dialog-key handling took the message.
  if (record) return record->dialogKeys != 1 || !calls.isDialogMessage(window, message);
  HWND active = GetActiveWindow();
  if (active && (GetWindowLongA(active, GWL_EXSTYLE) & WS_EX_CONTROLPARENT))
    return !calls.isDialogMessage(active, message);
  return true;
}

bool IsCharacterMessage(UINT message) {
  return message == WM_CHAR || message == WM_DEADCHAR || message == WM_SYSCHAR ||
         message == WM_SYSDEADCHAR || message == WM_IME_CHAR;
}

// A runtime window is an ANSI window: in a UTF-8 program a character beyond
// ASCII typed into it reaches its handler as the character's UTF-8 bytes,
// one message each, first byte first (as a lead and a trail byte reach an
// ANSI window under a double-byte code page). The halves of a surrogate
// pair come as two messages: the first waits here for the second. No such
// character is a dialog key: it is not offered. The system's default
// processing (a menu's mnemonic, for Alt and a letter) takes the whole
// character once, after the last byte, unless the handler took a byte.
bool DispatchedAsUtf8(const MSG& message) {
  static HWND pendingWindow = nullptr;
  static wchar_t pendingHigh = 0;
  if (!IsCharacterMessage(message.message) || message.wParam < 0x80 ||
      !IsRuntimeWindow(message.hwnd))
    return false;
  wchar_t units[3] = {wchar_t(message.wParam), 0, 0};
  if (units[0] >= 0xD800 && units[0] < 0xDC00) {
    pendingWindow = message.hwnd;
    pendingHigh = units[0];
    return true;
  }
  if (units[0] >= 0xDC00 && units[0] < 0xE000 && pendingHigh && pendingWindow == message.hwnd) {
    units[1] = units[0];
    units[0] = pendingHigh;
  }
  pendingHigh = 0;
  char bytes[8];
  int32_t count = NarrowToUtf8(units, bytes, sizeof bytes);
  // An IME's character goes on as the character it is.
  MSG byte = message;
  if (byte.message == WM_IME_CHAR) byte.message = WM_CHAR;
  LRESULT taken = 0;
  for (int32_t i = 0; i < count; ++i) {
    byte.wParam = BYTE(bytes[i]);
    taken |= DispatchCharacterByte(byte);
  }
  if (!taken && IsWindow(byte.hwnd)) {
    for (wchar_t unit : units)
      if (unit) CharacterDefaultProcessing(byte.hwnd, byte.message, unit, byte.lParam);
  }
  return true;
}

}  // namespace

int32_t WaitEvents(int32_t noWait) {
  if (!noWait) WaitMessage();
  const bool utf8 = TextIsUtf8();
  const QueueCalls& calls = utf8 ? unicodeCalls : codePageCalls;
  MSG message;
  while (calls.peek(&message, nullptr, 0, 0, PM_REMOVE)) {
    HWND window = nullptr;
    WindowRecord* record = RuntimeRecordOf(message.hwnd, &window);
    if (record) OfferToAccelerators(calls, window, &message);
    if (utf8 && DispatchedAsUtf8(message)) continue;
    if (!ShouldDispatch(calls, record, window, &message)) continue;
    TranslateMessage(&message);
    calls.dispatch(&message);
  }
  return 0;
}

}  // namespace hv
