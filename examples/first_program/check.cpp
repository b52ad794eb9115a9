// The program's self-check (--check): keys and clicks go in as a user's
// would, through the message queue; what they did is read from outside the
// handler: the window's texts as the system holds them (UTF-16), the list
// box's items, and the pixels of the window's surface.
#include <cstring>
#include <string>

#include "first_program.h"

namespace first {
namespace {

// Runs the window's messages until the condition holds, for at most 5 s.
template <typename Condition>
bool PumpUntil(Condition condition) {
  const DWORD start = GetTickCount();
  while (!condition() && GetTickCount() - start < 5000) {
    hv::WaitEvents(1);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);  // until a message, or 10 ms
  }
  return condition();
}

std::wstring Text(HWND control) {
  wchar_t text[256] = {};
  GetWindowTextW(control, text, 256);
  return text;
}

std::wstring Item(int index) {
  HWND list = GetDlgItem(window.hwnd, ID_LIST);
  wchar_t text[256] = {};
  if (SendMessageW(list, LB_GETTEXTLEN, index, 0) < 256)
    SendMessageW(list, LB_GETTEXT, index, LPARAM(text));
  return text;
}

int Items() { return int(SendMessageW(GetDlgItem(window.hwnd, ID_LIST), LB_GETCOUNT, 0, 0)); }

// The line is drawn as its characters: its ink lies within the width the
// system measures for its UTF-16 in the window's font, and reaches into the
// last part of it (the last letter's right side may be blank). Drawn as
// bytes of another code page, it would run far wider.
bool LineDrawn(const wchar_t* line) {
  HDC dc = hv::BeginDraw(&window);  // the window's surface, in the window's font
  SIZE size = {};
  GetTextExtentPoint32W(dc, line, int(wcslen(line)), &size);
  const COLORREF paper = GetSysColor(COLOR_WINDOW);
  int right = -1, inked = 0;
  for (int y = LINE_Y; y < LINE_Y + size.cy; ++y)
    for (int x = LINE_X; x < LINE_X + size.cx + 40; ++x) {
      COLORREF seen = GetPixel(dc, x, y);
      inked += seen == INK;
      if (seen != paper && x > right) right = x;
    }
  hv::EndDraw(&window, dc, 0);
  return inked > 0 && right >= LINE_X + size.cx * 7 / 8 && right < LINE_X + size.cx;
}

void Key(HWND control, WPARAM key) {
  SetFocus(control);
  PostMessageW(control, WM_KEYDOWN, key, 1);
  PostMessageW(control, WM_KEYUP, key, 0xC0000001);
}

// Says on standard error which step failed.
bool Expect(bool held, const char* what) {
  if (!held) {
    DWORD written;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), what, DWORD(strlen(what)), &written, nullptr);
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), "\n", 1, &written, nullptr);
  }
  return held;
}

}  // namespace

int Check() {
  HWND field = GetDlgItem(window.hwnd, ID_FIELD), add = GetDlgItem(window.hwnd, ID_ADD);
  const wchar_t typed[] = L"Grüße ✓ Жук", second[] = L"Второй";
  bool ok = Expect(Text(window.hwnd) == L"First program — Grüße ✓", "the title");
  Key(field, VK_TAB);  // TAB: from the field to the button
  ok &= Expect(PumpUntil([&] { return GetFocus() == add; }), "TAB to the button");
  hv::SetControlText(&window, ID_FIELD, "Grüße ✓ Жук");
  ok &= Expect(Text(field) == typed, "the field's text");
  SendMessageW(add, BM_CLICK, 0, 0);  // the button
  ok &= Expect(PumpUntil([] { return Items() == 1; }) && Item(0) == typed, "the button's list item");
  ok &= Expect(Text(field).empty(), "the field emptied");
  ok &= Expect(LineDrawn((std::wstring(L"You typed: ") + typed).c_str()), "the button's line");
  hv::SetControlText(&window, ID_FIELD, "Второй");
  Key(field, VK_RETURN);  // ENTER in the field
  ok &= Expect(PumpUntil([] { return Items() == 2; }) && Item(1) == second, "ENTER's list item");
  ok &= Expect(LineDrawn((std::wstring(L"You typed: ") + second).c_str()), "ENTER's line");
  SendMessageW(window.hwnd, WM_CLOSE, 0, 0);  // the close box
  ok &= Expect(hv::IsWindowClosed(&window), "the close box");
  return ok ? 0 : 1;
}

}  // namespace first
