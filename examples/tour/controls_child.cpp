// The Controls child: a control of every kind, each in its own colours,
// and a transparent static over a gradient drawn on the window. The edit
// field reports TAB and ENTER, the list box and the check box report their
// changes, and the scroll bar moves the progress bar.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <algorithm>

#include "examples/tour/tour.h"

namespace tour {

hv::WindowRecord controlsChild;

namespace {

constexpr ChildPlace PLACE = {CONTROLS_CAPTION, 10, 10, 744, 316, 0};
constexpr COLORREF WINDOW_COLOR = RGB(232, 228, 220);
constexpr COLORREF WHITE = RGB(255, 255, 255), BLACK = RGB(0, 0, 0);
constexpr int32_t GRADIENT_WIDTH = 744, GRADIENT_HEIGHT = 40, GRADIENT_STEP = 8;
constexpr int32_t SCROLL_LAST = 100;  // the scroll bar's and the progress bar's range: 0 to 100

// ID_NOTIFYING_EDIT (10) is in tour_ids.h.
constexpr int32_t ID_BUTTON = 11, ID_SYSBUTTON = 12, ID_HOTBUTTON = 13, ID_CHECKBOX = 14,
                  ID_RADIO = 15, ID_GROUP = 16, ID_LIST = 17, ID_COMBO = 18, ID_LISTVIEW = 19,
                  ID_TREEVIEW = 20, ID_RICHEDIT = 21, ID_SCROLLBAR = 22, ID_PROGRESS = 23,
                  ID_STATIC = 24, ID_TRANSPARENT = 25;

struct ControlRow {
  int32_t id, kind;
  const char* text;  // the caption; for CK_CUSTOM the window class
  int32_t x, y, width, height;
  uint32_t style;
  COLORREF textColor, backColor;
  int32_t fontSize;  // 0: the control keeps its own font
};

const ControlRow controls[] = {
    {ID_NOTIFYING_EDIT, hv::CK_EDIT, "Type, then TAB or ENTER", 8, 50, 200, 24, ES_AUTOHSCROLL,
     RGB(0, 0, 96), NOTIFYING_EDIT_BACK, 8},
    {ID_BUTTON, hv::CK_BUTTON, "Button", 216, 48, 80, 28, 0, WHITE, RGB(128, 64, 64), 8},
    {ID_SYSBUTTON, hv::CK_SYSBUTTON, "System button", 304, 48, 100, 28, 0, BLACK,
     RGB(200, 200, 240), 8},
    {ID_HOTBUTTON, hv::CK_HOTBUTTON, "Hot button", 412, 48, 90, 28, 0, WHITE, RGB(64, 112, 64),
     8},
    {ID_CHECKBOX, hv::CK_CHECKBOX, "Check box", 512, 50, 96, 24, 0, RGB(112, 0, 0), WINDOW_COLOR,
     8},
    {ID_RADIO, hv::CK_RADIOBUTTON, "Radio button", 616, 50, 116, 24, 0, RGB(0, 64, 128),
     WINDOW_COLOR, 8},
    {ID_GROUP, hv::CK_GROUPBOX, "List box and combo box", 8, 82, 300, 160, 0, RGB(112, 56, 0),
     WINDOW_COLOR, 8},
    // A list box tells its parent of a new selection only with LBS_NOTIFY.
    {ID_LIST, hv::CK_LISTBOX, "", 18, 104, 130, 128, LBS_NOTIFY | WS_VSCROLL, BLACK,
     RGB(224, 240, 255), 8},
    {ID_COMBO, hv::CK_COMBOBOX, "", 158, 104, 140, 120, CBS_DROPDOWNLIST | WS_VSCROLL, BLACK,
     RGB(255, 236, 224), 8},
    {ID_LISTVIEW, hv::CK_LISTVIEW, "", 316, 86, 126, 156, LVS_LIST | WS_BORDER, RGB(0, 80, 0),
     RGB(232, 255, 232), 0},
    {ID_TREEVIEW, hv::CK_TREEVIEW, "", 450, 86, 136, 156,
     TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | WS_BORDER, RGB(80, 0, 80),
     RGB(248, 232, 255), 0},
    {ID_RICHEDIT, hv::CK_RICHEDIT, "A rich edit: type here.", 594, 86, 138, 156,
     ES_MULTILINE | WS_BORDER | WS_VSCROLL, BLACK, RGB(255, 248, 232), 0},
    {ID_SCROLLBAR, hv::CK_SCROLLBAR, "", 8, 252, 300, 18, SBS_HORZ, BLACK, WINDOW_COLOR, 0},
    {ID_PROGRESS, hv::CK_CUSTOM, PROGRESS_CLASSA, 316, 252, 270, 18, 0, RGB(0, 128, 64),
     RGB(240, 240, 240), 0},
    {ID_STATIC, hv::CK_STATIC, "A static", 594, 252, 138, 18, SS_CENTER, WHITE, RGB(64, 64, 96), 8},
    // Created after the gradient is drawn: it shows what lies under it.
    {ID_TRANSPARENT, hv::CK_STATIC, "A transparent static over a gradient drawn on the window",
     12, 12, 480, 18, hv::CC_TRANSPARENT, WHITE, 0, 8},
};

// What a screen reader says of the fields, which show no text of their own
// saying what they are: hidden labels just before them.
struct FieldName {
  int32_t id;
  const char* name;
};
const FieldName fieldNames[] = {
    {ID_NOTIFYING_EDIT, "Reports TAB and ENTER"},
    {ID_LIST, "Core shape"},
    {ID_COMBO, "Wire size"},
    {ID_RICHEDIT, "Notes & sketches"},  // the "&" is read as written
};

// These kinds paint without asking their parent for colours: they take
// theirs by message, which carries the text or the background colour. The
// custom control here is a progress bar.
struct ColourMessage {
  int32_t kind;
  UINT message;
  bool text;
};
const ColourMessage colourMessages[] = {
    {hv::CK_LISTVIEW, LVM_SETBKCOLOR, false},
    {hv::CK_LISTVIEW, LVM_SETTEXTBKCOLOR, false},
    {hv::CK_LISTVIEW, LVM_SETTEXTCOLOR, true},
    {hv::CK_TREEVIEW, TVM_SETBKCOLOR, false},
    {hv::CK_TREEVIEW, TVM_SETTEXTCOLOR, true},
    {hv::CK_RICHEDIT, EM_SETBKGNDCOLOR, false},
    {hv::CK_CUSTOM, PBM_SETBKCOLOR, false},
    {hv::CK_CUSTOM, PBM_SETBARCOLOR, true},
};

const char* const coreShapes[] = {"EI 48", "EI 60", "EI 84", "UI 39", "Toroid", "C core"};
const char* const wireSizes[] = {"0.10 mm", "0.20 mm", "0.35 mm", "0.50 mm", "0.80 mm"};
const char* const frequencies[] = {"50 Hz", "60 Hz", "400 Hz"};
const char* const transformerParts[] = {"Core", "Primary coil", "Secondary coil"};

LRESULT Send(int32_t id, UINT message, WPARAM wParam, LPARAM lParam) {
  return hv::SendControlMessage(reinterpret_cast<uintptr_t>(&controlsChild), hv::MT_RECORD,
                                message, wParam, lParam, hv::MT_UINT, id);
}

void DrawGradient() {
  for (int32_t x = 0; x < GRADIENT_WIDTH; x += GRADIENT_STEP) {
    int32_t share = x * 255 / GRADIENT_WIDTH;
    COLORREF colour = RGB(40 + share * 3 / 4, 80 + share / 3, 200 - share / 2);
    hv::DrawRect(&controlsChild, x, 0, GRADIENT_STEP, GRADIENT_HEIGHT, colour, colour);
  }
}

void CreateOne(const ControlRow& c) {
  if (c.kind == hv::CK_CUSTOM)
    hv::CreateControlByClass(&controlsChild, c.text, "", c.x, c.y, c.width, c.height, c.style, 0,
                             c.id);
  else
    hv::CreateControl(&controlsChild, c.kind, c.text, c.x, c.y, c.width, c.height, c.style, c.id);
  if (c.fontSize) hv::SetFont(&controlsChild, "MS Sans Serif", c.fontSize, FW_NORMAL, 0, c.id);
  hv::SetControlColor(&controlsChild, c.id, c.textColor, c.backColor);
  for (const ColourMessage& m : colourMessages)
    if (m.kind == c.kind) Send(c.id, m.message, 0, m.text ? c.textColor : c.backColor);
}

void FillLists() {
  for (const char* shape : coreShapes) Send(ID_LIST, LB_ADDSTRING, 0, LPARAM(shape));
  for (const char* size : wireSizes) Send(ID_COMBO, CB_ADDSTRING, 0, LPARAM(size));
  Send(ID_COMBO, CB_SETCURSEL, 1, 0);
  for (int i = 0; i < int(sizeof frequencies / sizeof *frequencies); ++i) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<char*>(frequencies[i]);
    Send(ID_LISTVIEW, LVM_INSERTITEMA, 0, LPARAM(&item));
  }
  TVINSERTSTRUCTA insert = {};
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<char*>("Transformer");
  auto root = reinterpret_cast<HTREEITEM>(Send(ID_TREEVIEW, TVM_INSERTITEMA, 0, LPARAM(&insert)));
  insert.hParent = root;
  for (const char* part : transformerParts) {
    insert.item.pszText = const_cast<char*>(part);
    Send(ID_TREEVIEW, TVM_INSERTITEMA, 0, LPARAM(&insert));
  }
  Send(ID_TREEVIEW, TVM_EXPAND, TVE_EXPAND, LPARAM(root));
}

void SetStates() {
  hv::SetControlState(&controlsChild, ID_CHECKBOX, BST_CHECKED);
  hv::SetControlState(&controlsChild, ID_RADIO, BST_CHECKED);
  hv::SetHotColor(&controlsChild, ID_HOTBUTTON, RGB(96, 176, 96));
  Send(ID_SCROLLBAR, SBM_SETRANGE, 0, SCROLL_LAST);
  Send(ID_SCROLLBAR, SBM_SETPOS, 40, TRUE);
  Send(ID_PROGRESS, PBM_SETPOS, 40, 0);
  // Only the application sets these: the edit then reports the two keys
  // to this window instead of taking them.
  HWND edit = GetDlgItem(controlsChild.hwnd, ID_NOTIFYING_EDIT);
  SetPropA(edit, hv::CP_NOTIFY_TAB, reinterpret_cast<HANDLE>(1));
  SetPropA(edit, hv::CP_NOTIFY_ENTER, reinterpret_cast<HANDLE>(1));
}

int32_t ReportTab() {
  ShowStatus(TAB_REPORT);
  return 1;
}

int32_t ReportEnter() {
  char* text = hv::GetControlText(&controlsChild, ID_NOTIFYING_EDIT);
  hv::PushTempString(text);
  char report[160];
  hv::FormatBounded(report, sizeof report, "%s%s", ENTER_REPORT, text ? text : "");
  ShowStatus(report);
  hv::PopTempStrings(1);
  return 1;
}

int32_t ReportChoice() {
  char item[16] = {};  // the longest core shape fits
  LRESULT index = Send(ID_LIST, LB_GETCURSEL, 0, 0);
  if (index >= 0 && Send(ID_LIST, LB_GETTEXTLEN, index, 0) < LRESULT(sizeof item))
    Send(ID_LIST, LB_GETTEXT, index, LPARAM(item));
  char report[48];
  hv::FormatBounded(report, sizeof report, "Core shape: %s", item);
  ShowStatus(report);
  return 1;
}

int32_t ReportCheck() {
  bool checked = Send(ID_CHECKBOX, BM_GETCHECK, 0, 0) == BST_CHECKED;
  ShowStatus(checked ? "Check box checked" : "Check box cleared");
  return 1;
}

// How far the arrows and the track move the box; dragging it gives its place.
struct ScrollStep {
  int32_t request, step;
};
const ScrollStep scrollSteps[] = {
    {SB_LINELEFT, -1}, {SB_LINERIGHT, 1}, {SB_PAGELEFT, -10}, {SB_PAGERIGHT, 10}};

// A scroll bar moves its box only when told to; the progress bar follows.
int32_t FollowScrollBox() {
  if (hv::eventState.eventControl != ID_SCROLLBAR) return 0;
  int32_t request = hv::eventState.eventParam1, position = -1;
  if (request == SB_THUMBTRACK || request == SB_THUMBPOSITION)
    position = hv::eventState.eventParam2;
  for (const ScrollStep& s : scrollSteps)
    if (s.request == request)
      position = std::clamp(int32_t(Send(ID_SCROLLBAR, SBM_GETPOS, 0, 0)) + s.step, 0, SCROLL_LAST);
  if (position < 0) return 0;
  Send(ID_SCROLLBAR, SBM_SETPOS, position, TRUE);
  Send(ID_PROGRESS, PBM_SETPOS, position, 0);
  return 1;
}

int32_t Close() { return CloseChild(&controlsChild); }

struct ControlRoute {
  int32_t id, notification;
  hv::EventHandler run;
};
const ControlRoute controlRoutes[] = {
    {ID_NOTIFYING_EDIT, hv::TN_TAB, ReportTab},
    {ID_NOTIFYING_EDIT, hv::TN_ENTER, ReportEnter},
    {ID_LIST, LBN_SELCHANGE, ReportChoice},
    {ID_CHECKBOX, BN_CLICKED, ReportCheck},
};

void Build() {
  hv::SetWindowColor(&controlsChild, WINDOW_COLOR);
  DrawGradient();
  for (const ControlRow& c : controls) CreateOne(c);
  for (const FieldName& f : fieldNames) hv::SetControlLabel(&controlsChild, f.id, f.name);
  FillLists();
  SetStates();
  for (const ControlRoute& r : controlRoutes)
    hv::SetControlHandler(&controlsChild, r.id, r.notification, r.run);
  hv::SetMessageHandler(&controlsChild, WM_HSCROLL, FollowScrollBox);
  hv::SetMessageHandler(&controlsChild, hv::EV_CLOSEWINDOW, Close);
}

}  // namespace

int32_t OpenControlsChild() { return OpenChild(&controlsChild, PLACE, Build); }

}  // namespace tour
