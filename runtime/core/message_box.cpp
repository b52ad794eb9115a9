// The system message box, centred on its owner window (or the screen) and
// kept inside the work area by a hook that lives only while the box does.
#include "runtime/core/core.h"
#include "runtime/window/window.h"

namespace hv {
namespace {

constexpr uint32_t DEFAULT_BOX_FLAGS = MB_OK | MB_ICONEXCLAMATION;  // 0x30
constexpr DWORD BOX_STYLE_BITS = WS_DLGFRAME | WS_POPUP;

// One per running ShowMessage; nested calls form a stack through outer.
struct BoxCall {
  HHOOK hook;
  HWND box;        // the message box, once its creation was seen
  HWND reference;  // what it is centred on; null: the desktop
  bool placedAfterLayout;
  BoxCall* outer;
};

// The innermost running call; its hook is the one CenterBoxHook passes events on with.
BoxCall* runningCall = nullptr;

POINT CentredPosition(HWND reference, LONG width, LONG height) {
  RECT area, r;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  GetWindowRect(reference ? reference : GetDesktopWindow(), &r);
  LONG x = (r.right - r.left - width) / 2 + r.left;
  LONG y = (r.bottom - r.top - height) / 2 + r.top;
  if (x < 0) x = 0; else if (x + width > area.right) x = area.right - width;
  if (y < 0) y = 0; else if (y + height > area.bottom) y = area.bottom - height;
  // A box larger than the work area keeps its caption and top-left on screen.
  if (x < area.left) x = area.left;
  if (y < area.top) y = area.top;
  return {x, y};
}

bool IsDialogClass(HWND window) {
  char name[8] = {};
  GetClassNameA(window, name, sizeof name);
  return lstrcmpA(name, "#32770") == 0;
}

void PlaceAtCreation(HWND window, CREATESTRUCTA* cs) {
  POINT at = CentredPosition(cs->hwndParent, cs->cx, cs->cy);
  cs->x = at.x;
  cs->y = at.y;
  if (runningCall && !runningCall->box && IsDialogClass(window)) {
    runningCall->box = window;
    runningCall->reference = cs->hwndParent;
  }
}

// The box lays itself out (and may move itself) after its creation: place it
// once more, with its final size, when it is first activated.
void PlaceAfterLayout(HWND window) {
  for (BoxCall* call = runningCall; call; call = call->outer) {
    if (call->box != window || call->placedAfterLayout) continue;
    call->placedAfterLayout = true;
    RECT r;
    GetWindowRect(window, &r);
    POINT at = CentredPosition(call->reference, r.right - r.left, r.bottom - r.top);
    SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace

LRESULT CALLBACK CenterBoxHook(int code, WPARAM wparam, LPARAM lparam) {
  HWND window = reinterpret_cast<HWND>(wparam);
  if (code == HCBT_CREATEWND) {
    CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lparam)->lpcs;
    if (static_cast<DWORD>(cs->style) & BOX_STYLE_BITS) {
      PlaceAtCreation(window, cs);
      return 0;
    }
  } else if (code == HCBT_ACTIVATE) {
    PlaceAfterLayout(window);
  }
  return CallNextHookEx(runningCall ? runningCall->hook : nullptr, code, wparam, lparam);
}

int32_t ShowMessage(WindowRecord* owner, const char* text, const char* caption, uint32_t flags) {
  HWND ownerWindow = owner ? owner->hwnd : nullptr;
  if (flags == 0) flags = DEFAULT_BOX_FLAGS;
  BoxCall call = {};
  call.outer = runningCall;
  call.hook = SetWindowsHookExA(WH_CBT, CenterBoxHook, nullptr, GetCurrentThreadId());
  runningCall = &call;
  int32_t result = MessageBoxA(ownerWindow, text, caption, flags);
  // Each call removes exactly the hook it installed, nested boxes included.
  if (call.hook) UnhookWindowsHookEx(call.hook);
  runningCall = call.outer;
  return result;
}

}  // namespace hv
