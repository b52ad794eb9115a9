// What the tour and its end-to-end test agree on: captions, menus,
// control identifiers, texts of the status bar and colours to look for.
#pragma once

#include <windows.h>
#include <cstdint>

namespace tour {

constexpr char FRAME_CAPTION[] = "Ampliwind runtime tour";
constexpr int32_t ID_STATUS = 100;  // the frame's status bar

// The menu bar: "&Open" first, then the frame's own "&Window".
constexpr int OPEN_MENU = 0;
constexpr int WINDOW_MENU = 1;
// The children, in the order of the "&Open" menu.
constexpr int32_t CMD_OPEN_CONTROLS = 1001;
constexpr int32_t CMD_OPEN_BUTTONS = 1002;
constexpr int32_t CMD_OPEN_DRAWING = 1003;
constexpr char CONTROLS_CAPTION[] = "Controls";
constexpr char BUTTONS_CAPTION[] = "Buttons";
constexpr char DRAWING_CAPTION[] = "Drawing";

// Shown whenever a child opens or closes.
constexpr char COUNT_REPORT[] = "Children open: %d   GDI objects: %d";

// Controls child: the edit that reports TAB and ENTER.
constexpr int32_t ID_NOTIFYING_EDIT = 10;
constexpr COLORREF NOTIFYING_EDIT_BACK = RGB(255, 255, 224);
constexpr char TAB_REPORT[] = "TAB in the edit field";
constexpr char ENTER_REPORT[] = "ENTER in the edit field: ";  // and the field's text

// Buttons child.
constexpr int32_t ID_BITMAPS = 10;
constexpr int32_t ID_SHAPED = 11;
constexpr int32_t ID_FLAT = 12;
constexpr int32_t ID_DISABLED = 13;
constexpr int32_t ID_PICTURE = 14;
// The bodies of normal.bmp and hot.bmp (tools/make-tour-bitmaps.py).
constexpr COLORREF NORMAL_FACE = RGB(40, 96, 168);
constexpr COLORREF HOT_FACE = RGB(240, 150, 40);
constexpr COLORREF FLAT_BACK = RGB(200, 220, 200);
constexpr COLORREF FLAT_HOT = RGB(250, 240, 120);

// Drawing child: a two-coloured gauge drawn at fixed shares of the surface,
// so that wherever the surface is stretched to, it stays at those shares of
// the client area. Shares in percent.
constexpr COLORREF GAUGE_LEFT_COLOR = RGB(192, 64, 48);
constexpr COLORREF GAUGE_RIGHT_COLOR = RGB(48, 128, 192);
constexpr int32_t GAUGE_LEFT = 5, GAUGE_MIDDLE = 30, GAUGE_RIGHT = 60;
constexpr int32_t GAUGE_TOP = 82, GAUGE_BOTTOM = 96;
// The rich-edit notes, kept in the client's right third, 4 pixels (at 96
// DPI) in from its edges.
constexpr int32_t ID_NOTES = 10;
constexpr int32_t NOTES_MARGIN = 4;

}  // namespace tour
