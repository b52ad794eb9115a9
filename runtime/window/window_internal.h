// Shared between the window subsystem's sources: the process-wide window
// state and the pieces of the window procedure that live in their own files.
#pragma once

#include "runtime/window/window.h"

namespace hv {

// Class atoms; 0 until registered. The MDI-client atom is 0xFFFF once a
// non-frame window was opened before any MDI client existed.
extern ATOM windowClassAtom;
extern ATOM frameClassAtom;
extern ATOM mdiClientAtom;
constexpr ATOM NO_MDI_CLIENT_ATOM = 0xFFFF;

// The record whose window CreateWindowEx is making, and that window once
// the window procedure has seen it; both null outside OpenWindow's call.
extern WindowRecord* recordUnderCreation;
extern HWND windowUnderCreation;
// The DPI OpenWindow placed that window for: it is the window's DPI from
// its first message on, so that EV_CREATE draws and places at the same scale.
extern int32_t dpiUnderCreation;

constexpr int RECORD_SLOT = 0;  // extra-bytes offset of the record address

// The window procedure hands a control-colour request to the control itself
// as this message; the controls' subclass procedures answer it.
constexpr UINT WM_CTLCOLOR_CONTROL = 0x0019;

ATOM ClassAtomOf(HWND window);
bool IsRuntimeWindow(HWND window);        // one of the two runtime classes
WindowRecord* AttachedRecord(HWND window);
bool IsMdiChild(HWND window);             // its parent is an MDI client

// The bitmap behind a window's drawing surface, compatible with its context.
HBITMAP CreateSurfaceBitmap(HDC screen, int32_t width, int32_t height);

LRESULT PaintWindow(HWND window, WindowRecord* record, WPARAM param1, LPARAM param2);
LRESULT EraseWindow(HWND window, WindowRecord* record, HDC dc, LPARAM param2);

// MDI frames: the toolbar/status-bar layout (1 when a bar was found) and the
// Window-menu commands sent to the MDI client.
int32_t LayoutBars(WindowRecord* record);
void RunMdiCommand(WindowRecord* record, int32_t command);
WindowRecord* ActiveMdiChildRecord(WindowRecord* frame);

// Closing: a window marked closing is being destroyed already, and
// CloseWindow leaves it to that; ReleaseWindowRecord gives back what the
// record and its window own and marks the record closed, once (a closed
// record is left alone).
void MarkWindowClosing(HWND window);
void ReleaseWindowRecord(WindowRecord* record);
// OpenWindow on a record whose window is being destroyed: that window's
// objects and share are given back before the record is reused.
void ReleaseClosingWindow(WindowRecord* record);
// The last message of a window no record is attached to: what a handler
// set up on it during its creation (a window refused in EV_CREATE) is
// given back, as CloseWindow would.
void ReleaseUnattachedWindow(HWND window);

// ---- Scale ------------------------------------------------------------------
// The DPI a runtime window was laid out for, kept from its creation (and a
// move to a screen of another DPI) as a window property.
constexpr char WP_DPI[] = "HV_DPI";
// The system's DPI for a window (the screen's where the system has none
// per window); null: the screen's.
int32_t SystemDpiFor(HWND window);
// The DPI that scales a window's coordinates: its own, its runtime
// parent's for a control, else the system's for it.
int32_t DpiOfWindow(HWND window);
void SetWindowDpi(HWND window, int32_t dpi);
// The window is released: its DPI is forgotten.
void ForgetWindowDpi(HWND window);
// The width and height the system's frame and caption add to a client area
// of a window of these styles at a DPI.
SIZE FrameSize(DWORD style, DWORD exStyle, int32_t dpi);
// 96-DPI pixels to device pixels and back, rounded to nearest.
int32_t ToDevice(int32_t value, int32_t dpi);
int32_t FromDevice(int32_t value, int32_t dpi);
// A rectangle given as x, y, width, height, in device pixels (right and
// bottom exclusive).
RECT DeviceRect(int32_t x, int32_t y, int32_t width, int32_t height, int32_t dpi);

// WM_DPICHANGED, before the handler sees it: the window takes the suggested
// rectangle, and its surface, controls, controls' fonts and runtime child
// windows follow the new DPI.
void FollowDpiChange(HWND window, WPARAM param1, LPARAM param2);

// A UTF-8 program's character beyond ASCII reaches a runtime window as its
// bytes, each dispatched by DispatchCharacterByte, which runs no default
// processing; CharacterDefaultProcessing then runs it once for the
// character (each UTF-16 unit), when the handler took none of the bytes.
LRESULT DispatchCharacterByte(const MSG& byte);
LRESULT CharacterDefaultProcessing(HWND window, UINT message, wchar_t unit, LPARAM param2);

// The font a window's own text starts in, made for a new window from a
// fresh context at its DPI; at a move to another DPI, a record still in it
// gets the one for the new DPI (a font the program chose stays).
HFONT DefaultRecordFont(HDC fresh, int32_t dpi);
void RenewDefaultFont(WindowRecord* record, int32_t to);
// The mark of a record whose font is the default one, kept in the process
// for its window. Every bracket replaces the record's font by a copy; the
// mark stays only while no font of the program's was selected in it, and
// SetFont takes it away. The window's release forgets it.
bool HasDefaultFont(const WindowRecord* record);
void MarkDefaultFont(WindowRecord* record, bool isDefault);
void ForgetDefaultFont(HWND window);

// The handler-table routines for an event that the handler has just seen.
int32_t LookUpHandlers(HWND window, int32_t code);
// The window's handler table, freed (when it has one).
void ReleaseHandlersOf(HWND window);

}  // namespace hv
