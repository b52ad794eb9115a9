// Shared between the controls subsystem's sources: the kinds table, the
// once-only library set-up, the caption pictures and the pieces every
// subclass procedure uses.
#pragma once

#include <cstddef>

#include "runtime/controls/controls.h"
#include "runtime/window/window_internal.h"

namespace hv {

// ---- Caption pictures ------------------------------------------------------------
// A bitmap button or a picture static: the style bits that make the control
// show a picture, and the messages that read and replace it.
struct PictureMessages {
  uint32_t styleMask;  // the control shows a picture when these bits of its style
  uint32_t styleBits;  // are these
  UINT get;
  UINT set;
};
extern const PictureMessages BUTTON_PICTURE;
extern const PictureMessages STATIC_PICTURE;

bool ShowsPicture(HWND control, const PictureMessages& picture);
// Deletes the control's current picture and shows the one its name
// designates; a null name, an overlong one or a failed load leave none.
void TakeCaptionPicture(HWND control, const PictureMessages& picture, const char* name);
// The same from the control's current text, of which a name takes at most
// 259 characters.
void TakeCaptionPictureFromText(HWND control, const PictureMessages& picture);
// The same from the text of a WM_SETTEXT the control received; a Unicode
// window's text is converted first.
void TakeCaptionPictureFromMessage(HWND control, const PictureMessages& picture, LPARAM text);
// A picture is drawn for 96 DPI: at another, the control shows a copy
// grown with it, which the runtime made and owns, and keeps the picture it
// was given (by its caption or by the program) beside it, owned by
// whoever owned it before.
constexpr char CP_PICTURE[] = "HV_PICTURE";
constexpr char CP_GROWN_PICTURE[] = "HV_GROWNPICTURE";
// The control's picture grown again at a new DPI, from the one it was last
// given.
void RetakeCaptionPicture(HWND control, int32_t dpi);
// The control shows the picture it was given again in place of the grown
// copy, which is deleted: before it is destroyed, and before a new picture
// replaces it, so that whoever replaces it gets back the picture given.
void ShowGivenPicture(HWND control);

// ---- Kinds --------------------------------------------------------------------------
// Libraries a kind needs before the system can make it.
constexpr uint32_t NEEDS_COMMON_CONTROLS = 0x1;
constexpr uint32_t NEEDS_RICH_EDIT = 0x2;

struct ControlKind {
  int32_t kind;
  const char* className;      // "" for no class: the system creates nothing
  uint32_t addedStyle;
  uint32_t addedUnless;       // the style is not added when the caller's style holds these bits
  uint32_t exStyle;
  uint32_t exStyleWhen;       // 0: always; else only when the caller's style holds these bits
  int32_t backgroundIndex;    // system colour of "BGRND" and "BBRUSH"
  WNDPROC subclass;
  const PictureMessages* picture;  // controls whose caption may name a picture
  uint32_t needs;
};

// Never null: a kind not in the table reads the row of a nameless class.
const ControlKind* LookUpKind(int32_t kind);
uint32_t StyleFor(const ControlKind& row, uint32_t style);
uint32_t ExStyleFor(const ControlKind& row, uint32_t style);

// A child of the record's window as the creators make it: placed in the
// window's pixels at its DPI; null when the system refused it.
HWND MakeChild(WindowRecord* record, const char* className, const char* caption, int32_t x,
               int32_t y, int32_t width, int32_t height, uint32_t style, uint32_t exStyle,
               int32_t id);

// Once per process each; the flag and the handle are never reset.
void EnsureCommonControls();
void EnsureRichEditLibrary();

// The control with identifier id in the record's window; null for a closed
// record or a missing control, which the diagnostics mode reports for `call`.
HWND FindControl(WindowRecord* record, int32_t id, const char* call);

// The system's message font at a DPI (a control's text face where the
// program gives none), and a new control given it, owned as SetFont's
// fonts are; a control with a font of the runtime's keeps it.
LOGFONTW MessageFont(int32_t dpi);
void GiveMessageFont(HWND control);
// "HV_DEFAULTFONT": the message font GiveMessageFont made, while it is the
// control's "HV_FONT". A font the program gave may look just like it.
constexpr char CP_DEFAULT_FONT[] = "HV_DEFAULTFONT";

// Gives a new rich edit the runtime's callback object.
void AttachRichEditCallback(HWND control);

// A child the runtime did not create is given a procedure that only
// releases, so that what a runtime call made for it goes when it goes; the
// runtime's own controls release through their procedures already.
void ReleaseWithControl(HWND control);
// True while the child has that procedure and no other runtime one.
bool ReleasesOnly(HWND control);

// Makes procedure the control's window procedure with the calls of the
// window's own kind (a Unicode window stays one; in a UTF-8 program every
// control becomes one); returns the previous one.
WNDPROC Subclass(HWND control, WNDPROC procedure);

// ---- Subclass procedures -------------------------------------------------------------
// One row per message a procedure handles itself; every other message is
// forwarded to the previous procedure in "LPFN".
typedef LRESULT (*MessageHandling)(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
struct MessageRoute {
  UINT message;
  MessageHandling handle;
};

LRESULT Forward(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

// Any message: one that may change an edit field's text or copy it is
// looked at, every other one forwarded. A password field copies nothing. A single-line field without ES_AUTOHSCROLL whose
// kept text is wider than the field already has the change made here (what
// would be inserted is dropped); every other control and field is handed
// the message.
LRESULT ChangeTextField(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

// "HV_FIELD": what set-up found the control to be, so that no message has
// to ask for its class.
constexpr char CP_FIELD[] = "HV_FIELD";
constexpr uintptr_t FIELD_EDIT = 0x1;         // of the system's edit class
constexpr uintptr_t FIELD_FIXED_WIDTH = 0x2;  // single-line, not scrolling
// Sets "HV_FIELD" on an edit field; other controls get none.
void MarkTextField(HWND control);

// "HV_PAINTS": set up as a kind that draws its own owner-drawn items (a
// painted button); the window procedure hands such a control its requests
// through whatever procedures it carries.
constexpr char CP_PAINTS[] = "HV_PAINTS";
void MarkItemPainter(HWND control, int32_t kind);
bool PaintsOwnItems(HWND control);

// Gives a combo box's edit part, when it has one, a procedure of its own
// that only makes the changes ChangeTextField makes, and releases.
void GuardComboEdit(HWND combo);

// Whether a key is down in the thread's key state, as the controls read it.
inline bool Pressed(int key) { return GetKeyState(key) < 0; }

bool IsPassword(HWND edit);
// True when the message would copy a password field's text out of it.
bool GivesTextAway(HWND edit, UINT message, WPARAM wParam);

// A message without a row goes to `otherwise`.
template <size_t N>
LRESULT RouteMessage(const MessageRoute (&routes)[N], HWND control, UINT message, WPARAM wParam,
                     LPARAM lParam, MessageHandling otherwise = Forward) {
  for (const MessageRoute& route : routes)
    if (route.message == message) return route.handle(control, message, wParam, lParam);
  return otherwise(control, message, wParam, lParam);
}

// A property a kind of control holds at destruction besides those any
// control may hold; owned ones are GDI objects, deleted once removed.
struct HeldProperty {
  const char* name;
  bool owned;
};

// WM_DESTROY: deletes a grown copy of a picture and, when getPicture is
// non-zero, the picture shown; removes
// the properties any control may hold (the font SetFont made, colours,
// brushes, the application's TAB and ENTER requests) and the kind's `extra` ones,
// deleting those it owns; puts the previous procedure back and hands it
// WM_DESTROY.
LRESULT ReleaseControl(HWND control, WPARAM wParam, LPARAM lParam, UINT getPicture,
                       const HeldProperty* extra = nullptr, size_t extraCount = 0);

// The colour request: the control's text and background colours set in the
// context; the answer is its background brush.
LRESULT AnswerColorRequest(HWND control, HDC dc);
// The WM_SETTEXT of a control that may show a picture.
LRESULT SetPictureText(HWND control, const PictureMessages& picture, WPARAM wParam,
                       LPARAM lParam);

inline uintptr_t ReadProperty(HWND control, const char* name) {
  return reinterpret_cast<uintptr_t>(GetPropA(control, name));
}
inline void WriteProperty(HWND control, const char* name, uintptr_t value) {
  SetPropA(control, name, reinterpret_cast<HANDLE>(value));
}

}  // namespace hv
