#include "tests/controls/controls_fixture.h"

namespace ct {
namespace {

constexpr int32_t ID = 40;
constexpr COLORREF HANDLER_FILL = RGB(20, 160, 90);  // what the handler paints items with
constexpr COLORREF BUTTON_FACE = RGB(200, 40, 40);   // the painted buttons' background

struct Case {
  const char* name;
  int32_t kind;           // CK_CUSTOM: a button made by class name
  uint32_t style;
  bool handlerDraws;      // else the control paints itself
  bool subclassed = false;  // the test puts a procedure of its own in front
};

const Case cases[] = {
    {"drop-down list", hv::CK_COMBOBOX, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, true},
    {"list box", hv::CK_LISTBOX, LBS_OWNERDRAWFIXED, true},
    {"static", hv::CK_STATIC, SS_OWNERDRAW, true},
    {"system button", hv::CK_SYSBUTTON, BS_OWNERDRAW, true},
    {"button made by class name", hv::CK_CUSTOM, BS_OWNERDRAW, true},
    {"painted button", hv::CK_BUTTON, 0, false},
    {"hot button", hv::CK_HOTBUTTON, 0, false},
    {"painted button the application subclassed", hv::CK_BUTTON, 0, false, true},
    {"hot button the application subclassed", hv::CK_HOTBUTTON, 0, false, true},
};

using OwnerDraw = ControlTest;

HWND Make(hv::WindowRecord* w, const Case& c) {
  if (c.kind == hv::CK_CUSTOM)
    return hv::CreateControlByClass(w, "BUTTON", "", 10, 10, 160, 120, c.style, 0, ID);
  hv::CreateControl(w, c.kind, "", 10, 10, 160, 120, c.style, ID);
  HWND control = GetDlgItem(w->hwnd, ID);
  // An item to draw: the list's first, shown selected in the drop-down's field.
  SendMessageA(control, c.kind == hv::CK_LISTBOX ? LB_ADDSTRING : CB_ADDSTRING, 0, LPARAM("item"));
  if (c.kind == hv::CK_COMBOBOX) SendMessageA(control, CB_SETCURSEL, 0, 0);
  if (!c.handlerDraws) hv::SetControlColor(w, ID, RGB(0, 0, 0), BUTTON_FACE);
  // The recorder's procedure stands for an application's in front of the runtime's.
  if (c.subclassed) hvtest::Watch(control, WM_DRAWITEM, WM_DRAWITEM);
  return control;
}

TEST_F(OwnerDraw, EachRequestIsAnsweredOnceByWhoeverDrawsTheControl) {
  HBRUSH fill = CreateSolidBrush(HANDLER_FILL);
  RECT drawn = {};
  HWND drawnItem = nullptr;
  auto drawItem = [&](const hvtest::Event& e) -> int32_t {
    if (e.code != WM_DRAWITEM) return 0;
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(e.param2);
    FillRect(item->hDC, &item->rcItem, fill);
    drawn = item->rcItem;
    drawnItem = item->hwndItem;
    return 1;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HWND control = Make(&w, c);
    ASSERT_NE(control, nullptr);
    UpdateWindow(control);
    hvtest::Pump(30);
    hvtest::ResetRecording();
    hvtest::reaction = drawItem;
    drawn = {};
    drawnItem = nullptr;

    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(SentCount(w.hwnd, WM_DRAWITEM), 1) << "the window is asked once";
    EXPECT_EQ(SentCount(control, WM_DRAWITEM), c.handlerDraws ? 0 : 1);
    auto requests = hvtest::EventsWithCode(WM_DRAWITEM);
    EXPECT_EQ(requests.size(), c.handlerDraws ? 1u : 0u);
    if (c.handlerDraws && requests.size() == 1) {
      EXPECT_EQ(requests[0].param1, ID);
      EXPECT_EQ(drawnItem, control) << "the request names the control";
    }

    // The handler's fill, or the painted button's frame (the system fills
    // the whole button with its face brush before it asks).
    hvtest::Pixels shown = hvtest::Pixels::OnScreen(control);
    if (c.handlerDraws) {
      EXPECT_EQ(shown.At((drawn.left + drawn.right) / 2, (drawn.top + drawn.bottom) / 2), HANDLER_FILL);
    } else {
      RECT client;
      GetClientRect(control, &client);
      EXPECT_EQ(shown.At(client.right - 1, client.bottom - 1), GetSysColor(COLOR_3DDKSHADOW));
    }
    DestroyWindow(control);
  }
  hvtest::reaction = nullptr;
  DeleteObject(fill);
}

}  // namespace
}  // namespace ct
