#include "bench/direct_window.h"

namespace bench {

DirectWindow direct;
ChildColours childColours[MAX_CHILD_ID];

namespace {

constexpr char CLASS_NAME[] = "AmpliwindBenchDirect";

const ChildColours* ColoursOf(HWND child) {
  int id = GetDlgCtrlID(child);
  if (id <= 0 || id >= MAX_CHILD_ID || !childColours[id].brush) return nullptr;
  return &childColours[id];
}

LRESULT Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  const RECT& r = ps.rcPaint;
  BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, direct.memory, r.left, r.top,
         SRCCOPY);
  EndPaint(window, &ps);
  return 0;
}

// A push button as a plain program paints it: frame, face, caption.
LRESULT DrawItem(const DRAWITEMSTRUCT* item) {
  const ChildColours* c = ColoursOf(item->hwndItem);
  RECT r = item->rcItem;
  UINT pushed = (item->itemState & ODS_SELECTED) ? DFCS_PUSHED : 0;
  DrawFrameControl(item->hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | pushed);
  if (c) FillRect(item->hDC, &r, c->brush);
  char caption[64] = {};
  GetWindowTextA(item->hwndItem, caption, sizeof caption);
  SetBkMode(item->hDC, TRANSPARENT);
  if (c) SetTextColor(item->hDC, c->text);
  DrawTextA(item->hDC, caption, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  return TRUE;
}

LRESULT CALLBACK DirectProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: return Paint(window);
    case WM_ERASEBKGND: return 1;  // the copy covers everything
    case WM_DRAWITEM: return DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lparam));
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (const ChildColours* c = ColoursOf(HWND(lparam))) {
        SetTextColor(HDC(wparam), c->text);
        SetBkColor(HDC(wparam), c->back);
        return LRESULT(c->brush);
      }
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

void RegisterOnce() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA c = {};
  c.lpfnWndProc = DirectProc;
  c.hInstance = GetModuleHandleA(nullptr);
  c.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  c.lpszClassName = CLASS_NAME;
  registered = RegisterClassA(&c) != 0;
}

}  // namespace

void OpenDirect(int x, int y, int width, int height, DWORD style, const char* caption,
                int surfaceWidth, int surfaceHeight, COLORREF colour) {
  RegisterOnce();
  direct.hwnd = CreateWindowExA(0, CLASS_NAME, caption, style & ~WS_VISIBLE, x, y, width, height,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  HDC screen = GetDC(direct.hwnd);
  direct.memory = CreateCompatibleDC(screen);
  direct.bitmap = CreateCompatibleBitmap(screen, surfaceWidth, surfaceHeight);
  ReleaseDC(direct.hwnd, screen);
  direct.previousBitmap = SelectObject(direct.memory, direct.bitmap);
  HBRUSH brush = CreateSolidBrush(colour);
  RECT all = {0, 0, surfaceWidth, surfaceHeight};
  FillRect(direct.memory, &all, brush);
  DeleteObject(brush);
}

void CloseDirect() {
  DestroyWindow(direct.hwnd);
  SelectObject(direct.memory, direct.previousBitmap);
  DeleteDC(direct.memory);
  DeleteObject(direct.bitmap);
  direct = {};
  DrainMessages();
}

void ShowRect(int left, int top, int right, int bottom) {
  RECT r = {left, top, right, bottom};
  InvalidateRect(direct.hwnd, &r, FALSE);
  UpdateWindow(direct.hwnd);
}

void DrainMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace bench
