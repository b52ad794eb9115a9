// Windows and events: the window record, opening and closing windows, the
// window procedure that turns messages into events, and the message pump.
#pragma once

#include <windows.h>
#include <cstddef>
#include <cstdint>

namespace hv {

// A routine without arguments that reads eventState; 0 lets the system's
// default processing run.
typedef int32_t (*EventHandler)();

// One per window, owned by the application; hwnd 0 means closed.
struct WindowRecord {
  HWND hwnd;
  HBITMAP backingBitmap;
  HFONT font;
  HPEN pen;
  HWND mdiClient;
  int32_t posX;
  int32_t posY;
  int32_t bkMode;
  int32_t rop2;
  int32_t penStyle;
  int32_t penWidth;
  COLORREF textBkColor;
  COLORREF windowColor;
  uint32_t surfaceFlags;
  int32_t dialogKeys;
  HCURSOR cursor;
  HDC eventDC;
  HDC drawDC;
  int32_t drawDepth;
  uint32_t reserved20[4];
  EventHandler handler;
  uint32_t reserved25[2];
};
// 26 fields in this order: handles and the handler are pointer-sized, the
// rest 32-bit words; in a 32-bit process, 26 words without a gap.
static_assert(offsetof(WindowRecord, posX) == 5 * sizeof(void*));
static_assert(offsetof(WindowRecord, cursor) == 5 * sizeof(void*) + 10 * sizeof(int32_t));
static_assert(offsetof(WindowRecord, reserved20) == 8 * sizeof(void*) + 11 * sizeof(int32_t));
static_assert(offsetof(WindowRecord, handler) ==
              (8 * sizeof(void*) + 15 * sizeof(int32_t) + sizeof(void*) - 1) / sizeof(void*) *
                  sizeof(void*));
static_assert(sizeof(WindowRecord) ==
              offsetof(WindowRecord, handler) + sizeof(void*) + 2 * sizeof(int32_t));
static_assert(sizeof(void*) != 4 || sizeof(WindowRecord) == 26 * sizeof(int32_t), "the record is 26 words");

// surfaceFlags
constexpr uint32_t SF_SURFACE = 0x1;
constexpr uint32_t SF_CLIENTSIZE = 0x10;

// OpenWindow options, removed from the style before it reaches the system.
constexpr uint32_t OW_NOSURFACE = 0x10;
constexpr uint32_t OW_MDIFRAME = 0x20;
constexpr uint32_t OW_NOCAPTION = 0x40;
constexpr uint32_t OW_SURFACEWINDOWSIZE = 0x80;
constexpr uint32_t OW_SURFACECLIENTSIZE = 0x100;
constexpr uint32_t OW_TOOLWINDOW = 0x200;
constexpr uint32_t OW_TOPMOST = 0x400;
constexpr uint32_t OW_HIDDEN = 0x800;

// The window property that holds a runtime window's accelerator table
// (an HACCEL the application loaded or made): WaitEvents translates the
// window's keys through it and CloseWindow destroys it.
constexpr char WP_ACCEL_TABLE[] = "_ACCEL_TABLE";

// An MDI frame's "&Window" menu commands and its MDI client.
constexpr int32_t MDI_CASCADE = 32773;
constexpr int32_t MDI_TILE = 32774;
constexpr int32_t MDI_ARRANGE = 32775;
constexpr int32_t MDI_CLIENT_ID = 3244;
constexpr int32_t MDI_FIRST_CHILD = 0x4050;

// Event codes besides plain message numbers. The runtime's own are
// WM_APP + 2 to WM_APP + 15: a message a program posts itself as WM_APP + 2
// arrives as EV_CLOSEWINDOW, so a program numbers its own from WM_APP + 16.
constexpr int32_t EV_CREATE = 1;
constexpr int32_t EV_CLOSEWINDOW = 32770;
constexpr int32_t EV_MENU = 32771;
constexpr int32_t EV_CONTROL = 32772;
constexpr int32_t EV_SIZE = 32777;
constexpr int32_t EV_ERASE = 32783;

// Process-wide, valid while a handler runs. The two parameters are as wide
// as a message's, since they may carry a handle or an address.
struct EventState {
  int32_t eventCode;
  INT_PTR eventParam1;
  INT_PTR eventParam2;
  // A mouse message's low and high words, unsigned: a captured mouse one
  // pixel left of (above) the client area gives 65535; int16_t(eventX) is
  // the signed coordinate.
  int32_t eventX;
  int32_t eventY;
  WindowRecord* eventWindow;
  int32_t eventControl;
  int32_t eventMenu;
  int32_t eventNotify;
};
extern EventState eventState;

// ---- Coordinates ------------------------------------------------------------
// Every coordinate and size a program gives the runtime or gets from it is
// in pixels at 96 DPI; each window turns them into device pixels with its
// DPI. GetWindowDpi answers that DPI (96: unscaled; 0 for a closed record):
// a device pixel count is MulDiv(value, GetWindowDpi(record), 96).
constexpr int32_t STANDARD_DPI = 96;
int32_t GetWindowDpi(WindowRecord* record);

// ---- Records and classes -------------------------------------------------
int32_t OpenWindow(WindowRecord* record, int32_t x, int32_t y, int32_t width, int32_t height,
                   uint32_t style, WindowRecord* parent, const char* caption, EventHandler handler);
int32_t CloseWindow(WindowRecord* record);
int32_t CenterWindow(WindowRecord* record);
int32_t IsWindowClosed(WindowRecord* record);
int32_t IsWindowHidden(WindowRecord* record);
int32_t SetCaption(WindowRecord* record, const char* text);
int32_t SetDialogKeys(WindowRecord* record, int32_t flag);
int32_t RegisterWindowClasses();
int32_t FillSolid(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, COLORREF color);

// ---- Window procedure and events -------------------------------------------
LRESULT CALLBACK RuntimeWindowProc(HWND window, UINT message, WPARAM param1, LPARAM param2);
int32_t DispatchEvent(WindowRecord* record, int32_t code, INT_PTR param1, INT_PTR param2);

int32_t SetControlHandler(WindowRecord* record, int32_t controlId, int32_t notifyCode,
                          EventHandler routine);
int32_t SetMenuHandler(WindowRecord* record, int32_t commandId, EventHandler routine);
int32_t SetMessageHandler(WindowRecord* record, int32_t eventCode, EventHandler routine);
int32_t ReleaseHandlerTable(WindowRecord* record);

// ---- Message pump ------------------------------------------------------------
int32_t WaitEvents(int32_t noWait);

}  // namespace hv
