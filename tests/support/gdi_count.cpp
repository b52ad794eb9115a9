#include "tests/support/gdi_count.h"

#include <imm.h>
#include <winternl.h>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace hvtest {
namespace {

// GdiSharedHandleTable's place in the process environment block: the one
// field of this table whose offset differs between the 32- and 64-bit layouts.
constexpr size_t PEB_GDI_SHARED_HANDLE_TABLE = sizeof(void*) == 4 ? 0x94 : 0xF8;
constexpr int GDI_TABLE_ENTRIES = 65536;
constexpr int GDI_ENTRY_SIZE = 24;
constexpr int GDI_ENTRY_UNIQUE_OFFSET = 12;
constexpr int GDI_ENTRY_TYPE_OFFSET = 14;

const uint8_t* GdiHandleTable() {
  PROCESS_BASIC_INFORMATION info = {};
  if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info,
                                nullptr) != 0)
    return nullptr;
  auto peb = reinterpret_cast<const uint8_t*>(info.PebBaseAddress);
  return *reinterpret_cast<const uint8_t* const*>(peb + PEB_GDI_SHARED_HANDLE_TABLE);
}

// The type byte of every slot, or nothing where the table is not ours to read.
std::vector<unsigned char> EntryTypes() {
  std::vector<unsigned char> types;
  if (GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) != 0) return types;
  const uint8_t* table = GdiHandleTable();
  if (!table) return types;
  types.resize(GDI_TABLE_ENTRIES);
  for (int i = 0; i < GDI_TABLE_ENTRIES; ++i)
    types[i] = table[i * GDI_ENTRY_SIZE + GDI_ENTRY_TYPE_OFFSET];
  return types;
}

// The colour a brush or pen is of, and the system colour, where only one
// is of that colour.
std::string ColourOf(COLORREF colour) {
  int matches = 0, match = 0;
  for (int index = COLOR_SCROLLBAR; index <= COLOR_MENUBAR; ++index)
    if (GetSysColor(index) == colour) ++matches, match = index;
  char text[48];
  std::snprintf(text, sizeof text, matches == 1 ? ", colour %06lX, system colour %d" : ", colour %06lX",
                static_cast<unsigned long>(colour), match);
  return text;
}

// The live object in a slot, named by its kind and, for brushes and pens,
// their colour (or a brush's style), so that a failing balance says whose
// it may be.
HGDIOBJ SlotObject(const uint8_t* table, size_t slot) {
  uint16_t unique;
  std::memcpy(&unique, table + slot * GDI_ENTRY_SIZE + GDI_ENTRY_UNIQUE_OFFSET, sizeof unique);
  return reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(slot | uintptr_t(unique) << 16));
}

std::string DescribeObject(const uint8_t* table, size_t slot) {
  HGDIOBJ object = SlotObject(table, slot);
  static const char* const kinds[] = {
      "",       "pen",      "brush", "dc",     "metadc",    "palette",     "font",       "bitmap",
      "region", "metafile", "memdc", "extpen", "enhmetadc", "enhmetafile", "colorspace",
  };
  DWORD kind = GetObjectType(object);
  if (kind == 0 || kind >= sizeof kinds / sizeof *kinds) return "";
  std::string described = std::string(" (") + kinds[kind];
  LOGBRUSH brush;
  LOGPEN pen;
  if (kind == OBJ_BRUSH && GetObjectA(object, sizeof brush, &brush))
    described += brush.lbStyle == BS_SOLID ? ColourOf(brush.lbColor)
                                           : ", style " + std::to_string(brush.lbStyle);
  if (kind == OBJ_PEN && GetObjectA(object, sizeof pen, &pen)) described += ColourOf(pen.lopnColor);
  return described + ")";
}

}  // namespace

int CountGdiObjects() {
  int count = static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
  if (count != 0) return count;
  for (unsigned char type : EntryTypes()) count += type != 0;
  return count;
}

int CountGdiObjects(DWORD kind) {
  std::vector<unsigned char> types = EntryTypes();
  if (types.empty()) return -1;
  int count = 0;
  for (size_t i = 0; i < types.size(); ++i)
    count += types[i] && GetObjectType(SlotObject(GdiHandleTable(), i)) == kind;
  return count;
}

namespace {

// The system colours' pens have no call of their own: the system's edges
// and frames make them.
void DrawSystemPictures(HDC memory) {
  for (UINT edge = 1; edge <= 15; ++edge)
    for (UINT flags : {BF_RECT | BF_MIDDLE, BF_RECT | BF_SOFT, BF_RECT | BF_FLAT, BF_RECT | BF_MONO,
                       BF_DIAGONAL_ENDBOTTOMRIGHT | BF_MIDDLE}) {
      RECT r = {0, 0, 32, 32};
      DrawEdge(memory, &r, edge, flags);
    }
  const UINT frames[][2] = {{DFC_BUTTON, DFCS_BUTTONPUSH},  {DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED},
                            {DFC_BUTTON, DFCS_BUTTONCHECK}, {DFC_BUTTON, DFCS_BUTTONRADIO},
                            {DFC_CAPTION, DFCS_CAPTIONCLOSE}, {DFC_SCROLL, DFCS_SCROLLUP},
                            {DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_INACTIVE}};
  for (const UINT* frame : frames) {
    RECT r = {0, 0, 32, 32};
    DrawFrameControl(memory, &r, frame[0], frame[1]);
  }
}

// Each standard control painted once into a memory context, from a hidden parent of its
// own: what a control paints with is made at its first paint, which a test cannot foresee.
void PrintStandardControls(HDC memory) {
  HWND parent = CreateWindowExA(0, "STATIC", "warm-up", WS_POPUP, 0, 0, 32, 32, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  const struct {
    const char* className;
    DWORD style;
  } controls[] = {
      {"SCROLLBAR", SBS_HORZ},        {"SCROLLBAR", SBS_VERT},         {"BUTTON", BS_PUSHBUTTON},
      {"BUTTON", BS_DEFPUSHBUTTON},   {"BUTTON", BS_AUTOCHECKBOX},     {"BUTTON", BS_AUTORADIOBUTTON},
      {"BUTTON", BS_GROUPBOX},        {"EDIT", WS_BORDER},             {"LISTBOX", WS_BORDER | WS_VSCROLL},
      {"COMBOBOX", CBS_DROPDOWNLIST}, {"STATIC", SS_LEFT},
  };
  for (const auto& c : controls) {
    HWND control = CreateWindowExA(0, c.className, "warm-up", WS_CHILD | c.style, 0, 0, 32, 32, parent,
                                   nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_PRINT, WPARAM(memory),
                 PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
    DestroyWindow(control);
  }
  DestroyWindow(parent);
}

}  // namespace

void WarmUpSystemObjects(HWND window) {
  SendMessageA(window, WM_IME_SETCONTEXT, TRUE, ISC_SHOWUIALL);
  SendMessageA(window, WM_IME_SETCONTEXT, FALSE, ISC_SHOWUIALL);
  for (int colour = COLOR_SCROLLBAR; colour <= COLOR_MENUBAR; ++colour) GetSysColorBrush(colour);
  HDC dc = GetDC(window);
  DefWindowProcA(window, WM_CTLCOLORSCROLLBAR, WPARAM(dc), LPARAM(window));
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 32, 32);
  HGDIOBJ old = SelectObject(memory, bitmap);
  DrawSystemPictures(memory);
  PrintStandardControls(memory);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, dc);
}

GdiBalance::GdiBalance() : before_(CountGdiObjects()), types_(EntryTypes()) {}

std::string GdiBalance::Changes() const {
  std::vector<unsigned char> now = EntryTypes();
  if (now.size() != types_.size()) return "(handle table not readable)";
  std::string text;
  char line[64];
  for (size_t i = 0; i < now.size(); ++i) {
    if (now[i] == types_[i]) continue;
    std::snprintf(line, sizeof line, " slot %u: type %u -> %u", unsigned(i), types_[i], now[i]);
    text += line + DescribeObject(GdiHandleTable(), i) + ";";
  }
  return text.empty() ? "(no slot changed)" : text;
}

}  // namespace hvtest
