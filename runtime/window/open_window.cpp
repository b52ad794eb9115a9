// Opening a window: styles from the option bits, creation with the record
// published, the MDI frame's menu and client, the backing surface and the
// drawing defaults.
#include "runtime/core/diagnostics_internal.h"
#include "runtime/draw/draw.h"
#include "runtime/draw/draw_internal.h"
#include "runtime/window/window_internal.h"

namespace hv {
namespace {

constexpr uint32_t OPTION_BITS = 0x7F0;  // OW_NOSURFACE .. OW_TOPMOST
constexpr int32_t MDI_WINDOW_MENU_FLAGS = MF_STRING;
constexpr DWORD MDI_CLIENT_STYLE = 0x42300000;  // child, clip children, both scroll bars

struct Styles {
  DWORD style;
  DWORD exStyle;
  HWND parent;
};

Styles ComputeStyles(uint32_t options, WindowRecord* parent) {
  Styles s = {options & ~OPTION_BITS & ~OW_HIDDEN, 0, nullptr};
  if (!(options & OW_HIDDEN)) s.style |= WS_VISIBLE;
  if (parent) {
    s.style |= WS_CHILD | WS_CLIPSIBLINGS;
    s.parent = parent->mdiClient ? parent->mdiClient : parent->hwnd;
    if (parent->mdiClient) s.exStyle |= WS_EX_MDICHILD;
  } else {
    s.style |= WS_POPUP | WS_CLIPCHILDREN;
  }
  if (!(options & OW_NOCAPTION)) s.style |= WS_CAPTION | WS_SYSMENU;
  if (options & OW_TOOLWINDOW) s.exStyle |= WS_EX_TOOLWINDOW;
  if (options & OW_TOPMOST) s.exStyle |= WS_EX_TOPMOST;
  return s;
}

struct MdiCommandItem {
  UINT id;
  const char* text;
};
const MdiCommandItem mdiWindowMenu[] = {
    {MDI_CASCADE, "&Cascade"}, {MDI_TILE, "&Tile"}, {MDI_ARRANGE, "&Arrange Icons"}};

void CreateMdiParts(WindowRecord* record) {
  HMENU bar = CreateMenu();
  HMENU windowMenu = CreatePopupMenu();
  for (const MdiCommandItem& item : mdiWindowMenu)
    AppendMenuA(windowMenu, MDI_WINDOW_MENU_FLAGS, item.id, item.text);
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(windowMenu), "&Window");
  SetMenu(record->hwnd, bar);

  RECT client;
  GetClientRect(record->hwnd, &client);
  CLIENTCREATESTRUCT ccs = {windowMenu, MDI_FIRST_CHILD};
  record->mdiClient = CreateWindowExA(0, "MDICLIENT", "", MDI_CLIENT_STYLE, 0, 0, client.right,
                                      client.bottom, record->hwnd,
                                      reinterpret_cast<HMENU>(MDI_CLIENT_ID),
                                      GetModuleHandleA(nullptr), &ccs);
  if (!record->mdiClient) return;
  mdiClientAtom = ClassAtomOf(record->mdiClient);
  ShowWindow(record->mdiClient, SW_SHOW);
}

// Where the window goes, in device pixels; the system's default place and
// size stay what they are. The client area is what scales: the system's
// frame and caption have their own size at each DPI, not the 96-DPI one
// times the scale.
struct Placement {
  int32_t x, y, width, height;
};

Placement DevicePlacement(int32_t x, int32_t y, int32_t width, int32_t height, int32_t dpi,
                          const Styles& s) {
  if (dpi == STANDARD_DPI) return {x, y, width, height};
  SIZE frame96 = FrameSize(s.style, s.exStyle, STANDARD_DPI);
  SIZE frame = FrameSize(s.style, s.exStyle, dpi);
  Placement place = {ToDevice(x, dpi), ToDevice(y, dpi),
                     ToDevice(width - frame96.cx, dpi) + frame.cx,
                     ToDevice(height - frame96.cy, dpi) + frame.cy};
  if (x == int32_t(CW_USEDEFAULT)) place.x = x, place.y = y;
  if (width == int32_t(CW_USEDEFAULT)) place.width = place.height = width;
  return place;
}

// The surface's bitmap size and the part of it that is filled.
struct SurfaceSize {
  int32_t width, height, fillWidth, fillHeight;
};

SurfaceSize ChooseSurfaceSize(HWND window, uint32_t options, int32_t width, int32_t height) {
  if (options & OW_SURFACECLIENTSIZE) {
    RECT client;
    GetClientRect(window, &client);
    return {client.right, client.bottom, client.right, client.bottom};
  }
  if (options & OW_SURFACEWINDOWSIZE) return {width + 1, height + 1, width, height};
  int32_t cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  return {cx, cy, cx, cy};
}

HPEN CopyPen(HGDIOBJ pen) {
  LOGPEN description;
  if (GetObjectA(pen, sizeof description, &description) != sizeof description) return nullptr;
  return CreatePenIndirect(&description);
}

// Makes the backing surface in memory (or fills the window itself) in the
// window colour; returns what memory had selected before, to put back.
HGDIOBJ MakeSurface(WindowRecord* record, HDC screen, HDC memory, uint32_t options,
                    int32_t width, int32_t height) {
  if (!record->surfaceFlags) {
    FillSolid(screen, 0, 0, width, height, record->windowColor);
    return nullptr;
  }
  SurfaceSize size = ChooseSurfaceSize(record->hwnd, options, width, height);
  record->backingBitmap = CreateSurfaceBitmap(screen, size.width, size.height);
  HGDIOBJ previous = SelectObject(memory, record->backingBitmap);
  FillSolid(memory, 0, 0, size.fillWidth, size.fillHeight, record->windowColor);
  return previous;
}

void CopyDrawingDefaults(WindowRecord* record, HDC memory, int32_t dpi) {
  POINT position = {};
  GetCurrentPositionEx(memory, &position);
  record->posX = position.x;
  record->posY = position.y;
  record->pen = CopyPen(GetCurrentObject(memory, OBJ_PEN));
  record->font = DefaultRecordFont(memory, dpi);
  MarkDefaultFont(record, true);
  record->bkMode = GetBkMode(memory);
  record->textBkColor = GetBkColor(memory);
  record->rop2 = GetROP2(memory);
  record->cursor = LoadCursorA(nullptr, IDC_ARROW);
  record->penWidth = 1;
  record->penStyle = PS_SOLID;
  record->dialogKeys = 0;
}

// A handler that draws during EV_CREATE has its bracket give the record a pen
// and a font; the drawing defaults made after creation replace them.
void ReleaseCreationObjects(WindowRecord* record) {
  if (record->pen) DeleteObject(record->pen);
  if (record->font) DeleteObject(record->font);
  record->pen = nullptr;
  record->font = nullptr;
}

void SetUpDrawing(WindowRecord* record, uint32_t options, int32_t width, int32_t height,
                  int32_t dpi, EventHandler handler) {
  HDC screen = GetDC(record->hwnd);
  if (!screen) return;  // the window stays without surface, pen, font and handler
  HDC memory = CreateCompatibleDC(screen);
  record->windowColor = GetSysColor(COLOR_WINDOW);
  HGDIOBJ previous = MakeSurface(record, screen, memory, options, width, height);
  CopyDrawingDefaults(record, memory, dpi);
  record->handler = handler;
  if (previous) SelectObject(memory, previous);
  DeleteDC(memory);
  ReleaseDC(record->hwnd, screen);
}

// Opening an open record again would leave its window without one: that
// window's close box would then close the new window instead.
bool StillOpen(WindowRecord* record) {
  HWND window = record->hwnd;
  return window && IsWindow(window) &&
         (AttachedRecord(window) == record || recordUnderCreation == record);
}

}  // namespace

int32_t FillSolid(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, COLORREF color) {
  if (!dc) return 0;
  SetBkColor(dc, color);
  RECT area = {x, y, x + width, y + height};
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &area, "", 0, nullptr);
  return 0;
}

int32_t OpenWindow(WindowRecord* record, int32_t x, int32_t y, int32_t width, int32_t height,
                   uint32_t style, WindowRecord* parent, const char* caption,
                   EventHandler handler) {
  if (!record) return 0;
  ReleaseClosingWindow(record);
  if (StillOpen(record)) return Diagnose("OpenWindow", "the window record is already open"), 0;
  RegisterWindowClasses();
  record->surfaceFlags = (style & OW_NOSURFACE) ? 0 : SF_SURFACE;
  if (style & OW_SURFACECLIENTSIZE) record->surfaceFlags |= SF_CLIENTSIZE;
  Styles s = ComputeStyles(style, parent);

  record->handler = handler;
  // A closed record's handles were deleted with its window; by now their
  // values may name other objects, which nothing here may use or delete.
  record->backingBitmap = nullptr;
  record->pen = nullptr;
  record->font = nullptr;
  record->eventDC = nullptr;
  record->drawDC = nullptr;
  record->drawDepth = 0;
  record->mdiClient = nullptr;
  // Reserved words 20, 22, 23, 25 and 26; word 21 is not this routine's.
  record->reserved20[0] = record->reserved20[2] = record->reserved20[3] = 0;
  record->reserved25[0] = record->reserved25[1] = 0;
  const char* className = (style & OW_MDIFRAME) ? "HalvornFrameClass" : "HalvornWndClass";
  int32_t dpi = parent && parent->hwnd ? DpiOfWindow(parent->hwnd) : SystemDpiFor(nullptr);
  recordUnderCreation = record;
  windowUnderCreation = nullptr;
  dpiUnderCreation = dpi;
  Placement place = DevicePlacement(x, y, width, height, dpi, s);
  HWND window = CreateWindowExA(s.exStyle, className, caption, s.style, place.x, place.y,
                                place.width, place.height, s.parent, nullptr,
                                GetModuleHandleA(nullptr), nullptr);

  // Nothing reaches the handler until the record is complete and attached.
  recordUnderCreation = nullptr;
  windowUnderCreation = nullptr;
  record->handler = nullptr;
  record->hwnd = window;
  ReleaseCreationObjects(record);
  if (!window)
    return Diagnose("OpenWindow", parent && !parent->hwnd ? "the parent window record is closed"
                                                          : "the system made no window"), 0;

  DWORD finalStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
  if (finalStyle & WS_MAXIMIZE)
    ShowWindow(window, SW_SHOWMAXIMIZED);
  else if (finalStyle & WS_MINIMIZE)
    ShowWindow(window, SW_MINIMIZE);

  if (style & OW_MDIFRAME)
    CreateMdiParts(record);
  else if (!mdiClientAtom)
    mdiClientAtom = NO_MDI_CLIENT_ATOM;

  SetWindowDpi(window, dpi);
  SetUpDrawing(record, style, place.width, place.height, dpi, handler);
  SetWindowLongPtrA(window, RECORD_SLOT, reinterpret_cast<LONG_PTR>(record));
  KeepContextForWindow();
  return 1;
}

}  // namespace hv
