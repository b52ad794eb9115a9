// Controls: child windows of a runtime window, addressed by the parent's
// record and an identifier; the kinds and their properties, creation and
// commands, the subclass procedures that colour controls, report TAB and
// ENTER and release what controls own, owner-drawn button painting, and the
// rich-edit callback object.
#pragma once

#include <windows.h>
#include <cstdint>

#include "runtime/window/window.h"

namespace hv {

// ---- Kinds ----------------------------------------------------------------
// The kind argument of CreateControl; any other number creates nothing.
constexpr int32_t CK_BUTTON = 1;       // push button the runtime paints
constexpr int32_t CK_CHECKBOX = 2;
constexpr int32_t CK_RADIOBUTTON = 3;  // automatic radio button
constexpr int32_t CK_EDIT = 4;
constexpr int32_t CK_LISTBOX = 5;
constexpr int32_t CK_COMBOBOX = 6;
constexpr int32_t CK_STATIC = 7;
constexpr int32_t CK_SCROLLBAR = 8;
constexpr int32_t CK_GROUPBOX = 9;
constexpr int32_t CK_RICHEDIT = 10;
constexpr int32_t CK_LISTVIEW = 11;
constexpr int32_t CK_STATUSBAR = 12;
constexpr int32_t CK_SYSBUTTON = 13;   // a plain system button
constexpr int32_t CK_TREEVIEW = 14;
constexpr int32_t CK_HOTBUTTON = 20;   // painted push button with a mouse-over state
constexpr int32_t CK_CUSTOM = 99;      // any class, by name (CreateControlByClass)

// ---- Style options of the runtime ---------------------------------------------
constexpr uint32_t CC_HIDDEN = 0x80000;       // CreateControl: not visible; removed
constexpr uint32_t CC_TRANSPARENT = 0x10000;  // CK_STATIC: shows the parent's surface

// ---- Notifications a control sends its parent (high word of WM_COMMAND) ----------
constexpr int32_t TN_ENTER = 0x0A00;
constexpr int32_t TN_TAB = 0x0A01;

// ---- Control properties (window properties of the control) ----------------------
constexpr char CP_LPFN[] = "LPFN";                  // previous window procedure
constexpr char CP_FGRND[] = "FGRND";                // text colour
constexpr char CP_BGRND[] = "BGRND";                // background colour
constexpr char CP_BBRUSH[] = "BBRUSH";              // background brush, owned
constexpr char CP_NOTIFY_TAB[] = "NOTIFY_TAB";      // set by the application
constexpr char CP_NOTIFY_ENTER[] = "NOTIFY_ENTER";  // set by the application
constexpr char CP_DOHOT[] = "DOHOT";                // 1 while the mouse is over a hot button
constexpr char CP_HTCLR[] = "HTCLR";                // hot colour
constexpr char CP_HBRUSH[] = "HBRUSH";              // hot brush, owned
constexpr char CP_BORDERWIDTH[] = "BORDERWIDTH";    // hot button's edge width, 0 = none
constexpr char CP_HOTBMP[] = "HOTBMP";              // bitmaps, set by the application, owned
constexpr char CP_NORBMP[] = "NORBMP";
constexpr char CP_SELBMP[] = "SELBMP";
constexpr char CP_FONT[] = "HV_FONT";               // the font SetFont made for it, owned

// ---- Creation ----------------------------------------------------------------------
// A control per identifier and parent: an identifier already taken creates nothing.
int32_t CreateControl(WindowRecord* record, int32_t kind, const char* caption, int32_t x,
                      int32_t y, int32_t width, int32_t height, uint32_t style, int32_t id);
// Returns the control, or 0 when nothing was created.
HWND CreateControlByClass(WindowRecord* record, const char* className, const char* caption,
                          int32_t x, int32_t y, int32_t width, int32_t height, uint32_t style,
                          uint32_t exStyle, int32_t id);
// Colours, brush and subclass procedure of a control just created; a
// control already set up is left alone.
int32_t InitControl(HWND control, int32_t kind);

// ---- Commands ------------------------------------------------------------------------
// A new heap text, owned by the caller (PushTempString or FreeBlock); empty
// when there is nothing to read.
char* GetControlText(WindowRecord* record, int32_t id);
int32_t SetControlText(WindowRecord* record, int32_t id, const char* text);  // null: empty
int32_t SetControlColor(WindowRecord* record, int32_t id, COLORREF textColor, COLORREF backColor);
int32_t SetHotColor(WindowRecord* record, int32_t id, COLORREF color);
int32_t SetControlFocus(WindowRecord* record, int32_t id);  // id 0: the window itself
int32_t SetControlState(WindowRecord* record, int32_t id, int32_t state);  // BM_SETCHECK values

// The control's accessible name, as screen readers read it: a hidden
// static label just before the control, made once and given the text again
// by a later call; it goes with the window. Each "&" shows as written.
// 1 when the control has the label, 0 for a closed record, an identifier
// naming no control (or a label) and a label the system would not make.
int32_t SetControlLabel(WindowRecord* record, int32_t id, const char* text);
// The identifier every label carries, the one dialogs give the statics
// nothing addresses (IDC_STATIC): a window with a label makes no control of
// its own with it.
constexpr int32_t CONTROL_LABEL_ID = 0xFFFF;

// Type tags of SendControlMessage: the low 16 bits name the type of the
// value, MT_BYREF says the argument is the address of the value.
constexpr uint32_t MT_TEXT = 0;
constexpr uint32_t MT_INT = 2;
constexpr uint32_t MT_RECORD = 15;  // the address of a WindowRecord
constexpr uint32_t MT_UINT = 19;
constexpr uint32_t MT_BYREF = 0x10000;
// Sends message to the window named by target (of type targetType), or to
// its child control id when id is non-zero; 0 when there is no such window.
LRESULT SendControlMessage(uintptr_t target, uint32_t targetType, UINT message, WPARAM wParam,
                           LPARAM lParam, uint32_t lParamType, int32_t id);

// ---- Subclass procedures ----------------------------------------------------------------
LRESULT CALLBACK ControlSubclassProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK RichEditSubclassProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ButtonSubclassProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK HotButtonSubclassProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK StaticSubclassProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

// ---- Button painting ------------------------------------------------------------------
// Answers to WM_DRAWITEM; item's state may gain ODS_DEFAULT.
int32_t PaintButton(HWND control, DRAWITEMSTRUCT* item);
int32_t PaintHotButton(HWND control, DRAWITEMSTRUCT* item);
// The raised (or, pressed, sunken) edge of a button shaped by a window region,
// its bands as wide at the control's DPI as they are at 96 DPI.
int32_t DrawRegionEdge(HWND control, HDC dc, HRGN region, int32_t pressed, int32_t width);

// ---- Rich-edit callback -------------------------------------------------------------------
// The runtime's IRichEditOleCallback: a heap block whose first word is the
// method table. Created with count 0; the Release that brings the count to 0
// frees it.
struct RichEditCallback {
  const void* const* methods;
  volatile LONG references;
};
RichEditCallback* NewRichEditCallback();

}  // namespace hv
