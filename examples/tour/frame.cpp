// The frame: an MDI frame window with a status bar, the "&Window" menu that
// comes with every MDI frame, and the tour's own "&Open" menu.
#include <windows.h>
#include <commctrl.h>

#include "examples/tour/tour.h"
#include "tests/support/gdi_count.h"

namespace tour {

hv::WindowRecord frame;

namespace {

constexpr int32_t FRAME_WIDTH = 1000, FRAME_HEIGHT = 740;
// The MDI client covers the frame's client area: the frame needs no surface.
constexpr uint32_t FRAME_STYLE =
    hv::OW_MDIFRAME | hv::OW_NOSURFACE | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr uint32_t CHILD_STYLE = WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr COLORREF STATUS_TEXT = RGB(0, 0, 0), STATUS_BACK = RGB(236, 230, 214);

// The runtime builds no menu but the frame's "&Window". The tour adds its
// own popup to the frame's menu bar with the system's menu calls, and its
// commands arrive as menu events like any other, through the frame's menu
// table.
struct OpenItem {
  int32_t command;
  const char* text;
  hv::EventHandler open;
};
const OpenItem openItems[] = {
    {CMD_OPEN_CONTROLS, "&Controls", OpenControlsChild},
    {CMD_OPEN_BUTTONS, "&Buttons", OpenButtonsChild},
    {CMD_OPEN_DRAWING, "&Drawing", OpenDrawingChild},
};

hv::WindowRecord* const children[] = {&controlsChild, &buttonsChild, &drawingChild};

void AddOpenMenu() {
  HMENU popup = CreatePopupMenu();
  for (const OpenItem& item : openItems) {
    AppendMenuA(popup, MF_STRING, item.command, item.text);
    hv::SetMenuHandler(&frame, item.command, item.open);
  }
  InsertMenuA(GetMenu(frame.hwnd), OPEN_MENU, MF_BYPOSITION | MF_POPUP,
              reinterpret_cast<UINT_PTR>(popup), "&Open");
  DrawMenuBar(frame.hwnd);
}

// Closing every child must give back every GDI object its opening took:
// the count is there to be compared.
void ShowCount() {
  int32_t open = 0;
  for (hv::WindowRecord* child : children) open += !hv::IsWindowClosed(child);
  char text[80];
  hv::FormatBounded(text, sizeof text, COUNT_REPORT, open, hvtest::CountGdiObjects());
  ShowStatus(text);
}

// A status bar moves to the frame's new bottom edge only when told; the
// runtime then fits the MDI client above it.
int32_t FitStatusBar() {
  hv::SendControlMessage(reinterpret_cast<uintptr_t>(&frame), hv::MT_RECORD, WM_SIZE, 0, 0,
                         hv::MT_UINT, ID_STATUS);
  return 0;
}

// Children first: each record must see its own window go, or its surface,
// pen and font would outlive the window.
int32_t CloseEverything() {
  for (hv::WindowRecord* child : children) hv::CloseWindow(child);
  hv::CloseWindow(&frame);
  return 1;
}

}  // namespace

void OpenFrame() {
  hv::OpenWindow(&frame, 0, 0, FRAME_WIDTH, FRAME_HEIGHT, FRAME_STYLE, nullptr, FRAME_CAPTION,
                 nullptr);
  hv::CenterWindow(&frame);
  // In an MDI frame a status bar takes its room from the MDI client.
  hv::CreateControl(&frame, hv::CK_STATUSBAR, "", 0, 0, 0, 0, SBARS_SIZEGRIP, ID_STATUS);
  hv::SetControlColor(&frame, ID_STATUS, STATUS_TEXT, STATUS_BACK);
  // A status bar paints without asking its parent for colours: it takes its own by message.
  hv::SendControlMessage(reinterpret_cast<uintptr_t>(&frame), hv::MT_RECORD, SB_SETBKCOLOR, 0,
                         STATUS_BACK, hv::MT_UINT, ID_STATUS);
  AddOpenMenu();
  hv::SetMessageHandler(&frame, hv::EV_SIZE, FitStatusBar);
  hv::SetMessageHandler(&frame, hv::EV_CLOSEWINDOW, CloseEverything);
  // What the system makes once per process and keeps (the system colours'
  // brushes and pens, the scroll bars' pattern brush), made before the first
  // count: when it first comes hangs on timing, and the counts are there to
  // compare what the children take.
  hvtest::WarmUpSystemObjects(frame.hwnd);
  ShowCount();
}

void ShowStatus(const char* text) { hv::SetControlText(&frame, ID_STATUS, text); }

int32_t OpenChild(hv::WindowRecord* child, const ChildPlace& place, void (*build)()) {
  if (!hv::IsWindowClosed(child)) {
    SendMessageA(frame.mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->hwnd), 0);
    return 1;
  }
  if (hv::OpenWindow(child, place.x, place.y, place.width, place.height,
                     CHILD_STYLE | place.options, &frame, place.caption, nullptr))
    build();
  ShowCount();
  return 1;
}

int32_t CloseChild(hv::WindowRecord* child) {
  hv::CloseWindow(child);
  ShowCount();
  return 1;
}

}  // namespace tour
