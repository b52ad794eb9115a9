// The control kinds: the system class each one makes, the styles the
// runtime adds, its background colour and its subclass procedure.
#include "runtime/controls/controls_internal.h"

namespace hv {
namespace {

constexpr uint32_t OWNER_DRAWN = BS_OWNERDRAW;                            // 0xB
constexpr uint32_t BORDERED_LIST = WS_BORDER | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
constexpr uint32_t BORDERED_COMBO = WS_BORDER | CBS_HASSTRINGS | CBS_NOINTEGRALHEIGHT;
constexpr uint32_t COMMON = NEEDS_COMMON_CONTROLS;
constexpr uint32_t RICH = NEEDS_COMMON_CONTROLS | NEEDS_RICH_EDIT;
const PictureMessages* const BUTTON = &BUTTON_PICTURE;
const PictureMessages* const STATIC = &STATIC_PICTURE;

// kind, class, added style, unless, extended style, when, background, procedure, picture, needs
const ControlKind kinds[] = {
    {CK_BUTTON, "BUTTON", OWNER_DRAWN, BS_BITMAP, 0, 0, COLOR_BTNFACE, ButtonSubclassProc, BUTTON, 0},
    {CK_CHECKBOX, "BUTTON", BS_AUTOCHECKBOX, 0, 0, 0, COLOR_BTNFACE, ControlSubclassProc, nullptr, 0},
    {CK_RADIOBUTTON, "BUTTON", BS_AUTORADIOBUTTON, 0, 0, 0, COLOR_BTNFACE, ControlSubclassProc, nullptr, 0},
    {CK_EDIT, "EDIT", WS_BORDER, 0, WS_EX_CLIENTEDGE, 0, COLOR_WINDOW, ControlSubclassProc, nullptr, 0},
    {CK_LISTBOX, "LISTBOX", BORDERED_LIST, 0, WS_EX_CLIENTEDGE, 0, COLOR_WINDOW, ControlSubclassProc, nullptr, 0},
    {CK_COMBOBOX, "COMBOBOX", BORDERED_COMBO, 0, WS_EX_CLIENTEDGE, 0, COLOR_WINDOW, ControlSubclassProc, nullptr, 0},
    {CK_STATIC, "STATIC", 0, 0, 0, 0, COLOR_BTNFACE, StaticSubclassProc, STATIC, 0},
    {CK_SCROLLBAR, "SCROLLBAR", 0, 0, 0, 0, COLOR_SCROLLBAR, ControlSubclassProc, nullptr, 0},
    {CK_GROUPBOX, "BUTTON", BS_GROUPBOX, 0, 0, 0, COLOR_BTNFACE, ControlSubclassProc, nullptr, 0},
    {CK_RICHEDIT, "RichEdit", 0, 0, WS_EX_CLIENTEDGE, WS_BORDER, COLOR_WINDOW, RichEditSubclassProc, nullptr, RICH},
    {CK_LISTVIEW, "SysListView32", 0, 0, 0, 0, COLOR_WINDOW, ControlSubclassProc, nullptr, COMMON},
    {CK_STATUSBAR, "msctls_statusbar32", 0, 0, 0, 0, COLOR_WINDOW, ControlSubclassProc, nullptr, COMMON},
    {CK_SYSBUTTON, "BUTTON", 0, 0, 0, 0, COLOR_BTNFACE, ControlSubclassProc, nullptr, 0},
    {CK_TREEVIEW, "SysTreeView32", 0, 0, WS_EX_CLIENTEDGE, WS_BORDER, COLOR_WINDOW, ControlSubclassProc, nullptr, COMMON},
    {CK_HOTBUTTON, "BUTTON", OWNER_DRAWN, BS_BITMAP, 0, 0, COLOR_BTNFACE, HotButtonSubclassProc, BUTTON, 0},
    {CK_CUSTOM, "", 0, 0, 0, 0, COLOR_WINDOW, ControlSubclassProc, nullptr, 0},
};

// Every other kind: no class, so nothing is made.
const ControlKind unknownKind = {0, "", 0, 0, 0, 0, COLOR_WINDOW, ControlSubclassProc, nullptr, 0};

}  // namespace

const ControlKind* LookUpKind(int32_t kind) {
  for (const ControlKind& row : kinds)
    if (row.kind == kind) return &row;
  return &unknownKind;
}

uint32_t StyleFor(const ControlKind& row, uint32_t style) {
  bool added = !row.addedUnless || (style & row.addedUnless) != row.addedUnless;
  return added ? style | row.addedStyle : style;
}

uint32_t ExStyleFor(const ControlKind& row, uint32_t style) {
  bool given = !row.exStyleWhen || (style & row.exStyleWhen) == row.exStyleWhen;
  return given ? row.exStyle : 0;
}

}  // namespace hv
