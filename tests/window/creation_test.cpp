// OpenWindow's styles, surface and creation events; what CloseWindow frees; centring; the manifest.
#include <algorithm>

#include "tests/support/draw_window.h"
#include "tests/support/manifest.h"

namespace {

using hvtest::recording;

class Creation : public hvtest::WindowTest {};

DWORD StyleOf(HWND w) { return static_cast<DWORD>(GetWindowLongA(w, GWL_STYLE)); }
DWORD ExStyleOf(HWND w) { return static_cast<DWORD>(GetWindowLongA(w, GWL_EXSTYLE)); }

TEST_F(Creation, MainWindowIsAVisiblePopupWithAScreenSizedSurface) {
  hv::WindowRecord main = {};
  ASSERT_EQ(hv::OpenWindow(&main, 0, 0, 512, 374, WS_MINIMIZEBOX, nullptr, "Main",
                           hvtest::RecordingHandler), 1);
  EXPECT_EQ(StyleOf(main.hwnd) & ~WS_CLIPSIBLINGS, DWORD(WS_POPUP | WS_CLIPCHILDREN | WS_VISIBLE | WS_CAPTION |
                                      WS_SYSMENU | WS_MINIMIZEBOX));
  EXPECT_EQ(ExStyleOf(main.hwnd) & (WS_EX_MDICHILD | WS_EX_TOOLWINDOW | WS_EX_TOPMOST), 0u);
  EXPECT_EQ(GetClassLongA(main.hwnd, GCL_STYLE), 0x1008);
  EXPECT_EQ(GetClassLongPtrA(main.hwnd, GCLP_HBRBACKGROUND), LONG_PTR(GetStockObject(WHITE_BRUSH)));
  // This test program has no icon 101: the classes fall back to the system's.
  EXPECT_EQ(HICON(GetClassLongPtrA(main.hwnd, GCLP_HICON)), LoadIconA(nullptr, IDI_APPLICATION));

  EXPECT_EQ(main.surfaceFlags, hv::SF_SURFACE);
  int32_t width = -1, height = -1;
  hv::GetBitmapSize(main.backingBitmap, &width, &height);
  EXPECT_EQ(width, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(height, GetSystemMetrics(SM_CYSCREEN));
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  EXPECT_EQ(main.windowColor, window);
  const hvtest::Pixels surface(main.backingBitmap);
  EXPECT_EQ(surface.At(0, 0), window);
  EXPECT_EQ(surface.At(width - 1, height - 1), window);

  EXPECT_EQ(main.posX, 0);
  EXPECT_EQ(main.posY, 0);
  EXPECT_EQ(main.bkMode, OPAQUE);
  EXPECT_EQ(main.rop2, R2_COPYPEN);
  EXPECT_EQ(main.textBkColor, window);  // the fill left its colour in the context
  EXPECT_EQ(main.penStyle, 0);
  EXPECT_EQ(main.penWidth, 1);
  EXPECT_EQ(main.dialogKeys, 0);
  EXPECT_EQ(main.cursor, LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_EQ(drawtest::PenOf(main.pen).lopnStyle, UINT(PS_SOLID));
  EXPECT_EQ(drawtest::PenOf(main.pen).lopnColor, RGB(0, 0, 0));
  EXPECT_EQ(GetObjectType(main.font), DWORD(OBJ_FONT));
  // A program of the code page at 96 DPI: the fresh context's stock face, as it is.
  EXPECT_TRUE(drawtest::SameFont(drawtest::FontOf(main.font), drawtest::DefaultWindowFont(96, false)));
  hv::CloseWindow(&main);
}

// The creation's resize is a plain WM_SIZE (EV_SIZE needs an attached record); word 21 is kept.
TEST_F(Creation, CreationEventsComeWithTheHandleAndAClearedRecordWithoutSurface) {
  hv::WindowRecord w;
  memset(&w, 0x5A, sizeof w);
  const uint32_t stale = w.reserved20[1];
  static hv::WindowRecord seen;
  hvtest::reaction = [&w](const hvtest::Event& e) {
    if (e.code == hv::EV_CREATE) seen = w;
    return 0;
  };
  ASSERT_EQ(hv::OpenWindow(&w, 10, 10, 300, 200, 0, nullptr, "Created", hvtest::RecordingHandler), 1);
  RECT client;
  GetClientRect(w.hwnd, &client);
  EXPECT_TRUE(hvtest::MatchesSequence(recording, {
      {.code = WM_NCCREATE, .window = &w},
      {.code = hv::EV_CREATE, .param1 = 0, .window = &w},
      {.code = WM_SIZE, .param1 = SIZE_RESTORED, .param2 = MAKELONG(client.right, client.bottom), .window = &w},
  }, {hv::EV_SIZE}));
  for (const hvtest::Event& e : recording) {
    EXPECT_EQ(e.hwnd, w.hwnd) << "event " << e.code;
    EXPECT_EQ(e.surface, nullptr) << "event " << e.code;
    EXPECT_FALSE(e.attached) << "event " << e.code;
  }
  EXPECT_EQ(seen.eventDC, nullptr);
  EXPECT_EQ(seen.drawDC, nullptr);
  EXPECT_EQ(seen.drawDepth, 0);
  EXPECT_EQ(seen.mdiClient, nullptr);
  EXPECT_EQ(seen.handler, &hvtest::RecordingHandler);
  for (uint32_t word : {seen.reserved20[0], seen.reserved20[2], seen.reserved20[3], seen.reserved25[0],
                        seen.reserved25[1]})
    EXPECT_EQ(word, 0u);
  EXPECT_EQ(w.reserved20[1], stale);
  hv::CloseWindow(&w);
}

// The frame's menu bar and client come after creation: their resize reaches no handler.
TEST_F(Creation, MessagesBetweenCreationAndAttachmentReachNoHandler) {
  hv::WindowRecord frame = {};
  ASSERT_EQ(hv::OpenWindow(&frame, 0, 0, 400, 300, hv::OW_MDIFRAME, nullptr, "Frame",
                           hvtest::RecordingHandler), 1);
  const int32_t clientWidth = 400 - 2 * GetSystemMetrics(SM_CXFIXEDFRAME);
  const int32_t clientHeight =
      300 - 2 * GetSystemMetrics(SM_CYFIXEDFRAME) - GetSystemMetrics(SM_CYCAPTION);
  EXPECT_TRUE(hvtest::MatchesSequence(recording, {
      {.code = hv::EV_CREATE},
      {.code = WM_SIZE, .param2 = MAKELONG(clientWidth, clientHeight)},
  }, {WM_PARENTNOTIFY})) << "a WM_PARENTNOTIFY would be the MDI client's creation";
  RECT client;
  GetClientRect(frame.hwnd, &client);
  EXPECT_LT(client.bottom, clientHeight) << "the menu bar took its row";

  hvtest::ResetRecording();
  SetWindowPos(frame.hwnd, nullptr, 0, 0, 420, 300, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(hvtest::EventsWithCode(hv::EV_SIZE).size(), 1u);
  hv::CloseWindow(&frame);
}

// The inner window takes over the record under creation: the outer's later messages are lost.
TEST_F(Creation, OpeningAWindowDuringCreationEndsTheOuterCreationEvents) {
  for (bool innerIsChild : {false, true}) {
    SCOPED_TRACE(innerIsChild ? "inner child" : "inner pop-up");
    hvtest::ResetRecording();
    hv::WindowRecord outer = {}, inner = {};
    hvtest::reaction = [&](const hvtest::Event& e) {
      if (e.code == hv::EV_CREATE && e.window == &outer)
        hv::OpenWindow(&inner, 50, 50, 200, 100, 0, innerIsChild ? &outer : nullptr, "Inner",
                       hvtest::RecordingHandler);
      return 0;
    };
    ASSERT_EQ(hv::OpenWindow(&outer, 0, 0, 300, 200, 0, nullptr, "Outer",
                             hvtest::RecordingHandler), 1);
    hvtest::reaction = nullptr;
    ASSERT_NE(inner.hwnd, nullptr);
    ASSERT_NE(outer.hwnd, inner.hwnd);
    EXPECT_TRUE(hvtest::MatchesSequence(recording, {
        {.code = WM_NCCREATE, .window = &outer},
        {.code = hv::EV_CREATE, .window = &outer},
        {.code = WM_NCCREATE, .window = &inner},
        {.code = hv::EV_CREATE, .window = &inner},
        {.code = WM_SIZE, .window = &inner},
    }, {WM_PARENTNOTIFY}));
    for (const hvtest::Event& e : recording)
      EXPECT_EQ(e.hwnd, e.window == &outer ? outer.hwnd : inner.hwnd) << "event " << e.code;
    EXPECT_EQ(GetWindowLongPtrA(outer.hwnd, 0), LONG_PTR(&outer));
    EXPECT_EQ(GetWindowLongPtrA(inner.hwnd, 0), LONG_PTR(&inner));
    hv::CloseWindow(&inner);
    hv::CloseWindow(&outer);
  }
}

// A window-sized surface is 201 by 101, of which the 200 by 100 top left is filled.
TEST_F(Creation, SurfaceOptionsChooseTheBitmap) {
  // The bitmap is the client area's size, or else width by height (0: none).
  struct { uint32_t options, flags; bool clientSized; int32_t width, height; } cases[] = {
      {hv::OW_SURFACEWINDOWSIZE, hv::SF_SURFACE, false, 201, 101},
      {hv::OW_SURFACECLIENTSIZE, hv::SF_SURFACE | hv::SF_CLIENTSIZE, true, 0, 0},
      {hv::OW_NOSURFACE, 0, false, 0, 0},
      {hv::OW_NOSURFACE | hv::OW_SURFACECLIENTSIZE, hv::SF_CLIENTSIZE, true, 0, 0},
  };
  const COLORREF window = GetSysColor(COLOR_WINDOW), unfilled = RGB(0, 0, 0);
  ASSERT_NE(window, unfilled);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.options);
    hv::WindowRecord w = {};
    ASSERT_EQ(hv::OpenWindow(&w, 20, 20, 200, 100, c.options, nullptr, "S", nullptr), 1);
    EXPECT_EQ(w.surfaceFlags, c.flags);
    RECT client;
    GetClientRect(w.hwnd, &client);
    int32_t width = -1, height = -1;
    hv::GetBitmapSize(w.backingBitmap, &width, &height);
    EXPECT_EQ(width, c.clientSized ? client.right : c.width);
    EXPECT_EQ(height, c.clientSized ? client.bottom : c.height);
    EXPECT_NE(w.pen, nullptr);
    EXPECT_NE(w.font, nullptr);
    if (c.width) {
      const hvtest::Pixels surface(w.backingBitmap);
      EXPECT_EQ(surface.At(199, 99), window);
      for (POINT p : {POINT{200, 0}, POINT{0, 100}, POINT{200, 100}})
        EXPECT_EQ(surface.At(p.x, p.y), unfilled) << p.x << "," << p.y;
    }
    hv::CloseWindow(&w);
  }
}

TEST_F(Creation, OptionBitsBecomeStyles) {
  struct { uint32_t options; DWORD styleSet, styleClear, exSet; bool child = false; } cases[] = {
      {hv::OW_NOCAPTION, WS_POPUP | WS_VISIBLE, WS_CAPTION | WS_SYSMENU, 0},
      {hv::OW_HIDDEN, WS_POPUP | WS_CAPTION, WS_VISIBLE, 0},
      {hv::OW_TOOLWINDOW, WS_POPUP, 0, WS_EX_TOOLWINDOW},
      {hv::OW_TOPMOST, WS_POPUP, 0, WS_EX_TOPMOST},
      {hv::OW_TOOLWINDOW | hv::OW_TOPMOST | hv::OW_NOSURFACE, WS_POPUP, 0,
       WS_EX_TOOLWINDOW | WS_EX_TOPMOST},
      {hv::OW_NOCAPTION, WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE,
       ~DWORD(WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE), 0, true},
  };
  hv::WindowRecord parent = {};
  ASSERT_EQ(hv::OpenWindow(&parent, 0, 0, 300, 200, 0, nullptr, "P", nullptr), 1);
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.options << (c.child ? " child" : ""));
    hv::WindowRecord w = {};
    ASSERT_EQ(hv::OpenWindow(&w, 10, 10, 100, 80, c.options, c.child ? &parent : nullptr, "O", nullptr), 1);
    DWORD style = StyleOf(w.hwnd);
    EXPECT_EQ(style & c.styleSet, c.styleSet);
    EXPECT_EQ(style & c.styleClear, 0u);
    EXPECT_EQ(style & 0xFF0, 0u) << "option bits passed on";
    EXPECT_EQ(ExStyleOf(w.hwnd) & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_MDICHILD), c.exSet);
    EXPECT_EQ(hv::IsWindowHidden(&w), (style & WS_VISIBLE) ? 0 : 1);
    EXPECT_EQ(GetParent(w.hwnd), c.child ? parent.hwnd : nullptr);
    hv::CloseWindow(&w);
  }
  hv::CloseWindow(&parent);
}

TEST_F(Creation, CloseWindowInsideAnOpenBracketLeavesNoObjectBehind) {
  hvtest::WarmUpGdi();
  // Another window keeps the shared drawing context alive: an object left selected in it counts.
  hv::WindowRecord other = {};
  ASSERT_EQ(hv::OpenWindow(&other, 0, 0, 100, 100, 0, nullptr, "Other", nullptr), 1);
  for (uint32_t options : {0u, hv::OW_NOSURFACE}) {
    hvtest::GdiBalance gdi;
    hv::WindowRecord w = {};
    ASSERT_EQ(hv::OpenWindow(&w, 0, 0, 200, 100, options, nullptr, "Bracket", nullptr), 1);
    HDC dc = hv::BeginDraw(&w);
    ASSERT_NE(dc, nullptr);
    hv::BeginDraw(&w);  // nested, as an operation inside another would be
    hv::CloseWindow(&w);
    EXPECT_EQ(w.drawDC, nullptr);
    EXPECT_EQ(w.drawDepth, 0);
    hv::EndDraw(&w, dc, 1);
    hv::EndDraw(&w, dc, 1);
    EXPECT_EQ(gdi.Delta(), 0) << "options " << options << gdi.Changes();
  }
  hv::CloseWindow(&other);
}

TEST_F(Creation, CloseWindowDestroysTheWindowAndFreesItsObjects) {
  hv::WindowRecord w = {};
  ASSERT_EQ(hv::OpenWindow(&w, 0, 0, 300, 200, 0, nullptr, "Close", hvtest::RecordingHandler), 1);
  hvtest::ResetRecording();
  ACCEL one = {FVIRTKEY, 'A', 100};
  HACCEL accelerators = CreateAcceleratorTableA(&one, 1);
  SetPropA(w.hwnd, "_ACCEL_TABLE", accelerators);

  EXPECT_EQ(hv::CloseWindow(&w), 0);
  EXPECT_TRUE(hvtest::MatchesSequence(recording, {
      {.code = WM_DESTROY, .window = &w},
      {.code = WM_NCDESTROY, .window = &w},
  }));
  for (const hvtest::Event& e : recording) EXPECT_TRUE(e.attached) << e.code;
  EXPECT_FALSE(DestroyAcceleratorTable(accelerators)) << "the table was already destroyed";
}

// A closed record's objects may be another owner's by now: reopening neither
// uses nor deletes them. A handler refusing EV_CREATE leaves the record closed.
TEST_F(Creation, ReopeningIgnoresStaleHandlesAndCreationDrawingLeavesNothing) {
  hvtest::WarmUpGdi();
  struct { uint32_t options; bool draws, refuses; } cases[] = {
      {0, true, false}, {hv::OW_NOSURFACE, true, false}, {hv::OW_NOSURFACE, false, false}, {0, false, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "options " << c.options << " draws " << c.draws
                                      << " refuses " << c.refuses);
    hvtest::GdiBalance gdi;
    HGDIOBJ others[] = {CreateBitmap(8, 8, 1, 1, nullptr), CreatePen(PS_DOT, 1, RGB(1, 2, 3)),
                        CreateFontA(20, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, "Tahoma")};
    hv::WindowRecord w = {};
    w.backingBitmap = static_cast<HBITMAP>(others[0]);
    w.pen = static_cast<HPEN>(others[1]);
    w.font = static_cast<HFONT>(others[2]);
    hvtest::reaction = [&](const hvtest::Event& e) {
      if (e.code == hv::EV_CREATE && c.draws) {
        hv::DrawLine(&w, 0, 0, 20, 20, hv::CL_FRONT);
        hv::SetFrontPen(&w, RGB(200, 0, 0));
      }
      return e.code == hv::EV_CREATE && c.refuses ? -1 : 0;
    };
    ASSERT_EQ(hv::OpenWindow(&w, 0, 0, 200, 100, c.options, nullptr, "Stale", hvtest::RecordingHandler),
              c.refuses ? 0 : 1);
    if (c.refuses) {
      EXPECT_EQ(w.hwnd, nullptr);
      EXPECT_EQ(w.handler, nullptr);
      EXPECT_EQ(hv::IsWindowClosed(&w), 1);
      EXPECT_EQ(hv::IsWindowHidden(&w), 1);
    }
    if (c.options & hv::OW_NOSURFACE) {
      EXPECT_EQ(w.backingBitmap, nullptr) << "a window without a surface holds no bitmap";
    }
    hv::CloseWindow(&w);
    hvtest::reaction = nullptr;
    for (HGDIOBJ other : others) {
      EXPECT_NE(GetObjectType(other), 0u) << "another owner's object was deleted";
      DeleteObject(other);
    }
    EXPECT_EQ(gdi.Delta(), 0) << gdi.Changes();
  }
}

class WindowOps : public hvtest::WindowTest {};

// Sizes halve truncating; a window larger than the work area puts its top left on the area's.
TEST_F(WindowOps, CenterWindowCentresOnTheParentTheOwnerOrTheWorkArea) {
  const RECT area = hvtest::WorkArea();
  enum Relation { NONE, CHILD, OWNED, OWNED_BY_HIDDEN };
  struct { const char* name; Relation relation; int width, height; } cases[] = {
      {"odd size", NONE, 301, 201},
      {"larger than the work area", NONE, area.right - area.left + 500, area.bottom - area.top + 500},
      {"child", CHILD, 101, 51},
      {"owned", OWNED, 200, 100},
      {"owned by a hidden window", OWNED_BY_HIDDEN, 200, 100},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    hv::WindowRecord other = {}, w = {};
    const bool child = c.relation == CHILD;
    ASSERT_EQ(hv::OpenWindow(&other, 100, 80, 500, 400, 0, nullptr, "Other", nullptr), 1);
    ASSERT_EQ(hv::OpenWindow(&w, 3, 4, c.width, c.height, child ? hv::OW_NOCAPTION : hv::OW_HIDDEN,
                             child ? &other : nullptr, "C", nullptr), 1);
    if (c.relation >= OWNED) SetWindowLongPtrA(w.hwnd, GWLP_HWNDPARENT, LONG_PTR(other.hwnd));
    if (c.relation == OWNED_BY_HIDDEN) ShowWindow(other.hwnd, SW_HIDE);
    RECT reference = c.relation == OWNED ? hvtest::WindowRect(other.hwnd) : area;
    if (child) GetClientRect(other.hwnd, &reference);
    const RECT before = hvtest::WindowRect(w.hwnd);
    hv::CenterWindow(&w);
    const RECT r = child ? hvtest::RectInParent(w.hwnd) : hvtest::WindowRect(w.hwnd);
    const LONG width = before.right - before.left, height = before.bottom - before.top;
    EXPECT_EQ(r.right - r.left, width) << "size kept";
    LONG x = (reference.left + reference.right) / 2 - width / 2;
    LONG y = (reference.top + reference.bottom) / 2 - height / 2;
    if (EqualRect(&reference, &area)) x = std::max(x, area.left), y = std::max(y, area.top);
    EXPECT_EQ(r.left, x);
    EXPECT_EQ(r.top, y);
    hv::CloseWindow(&w);
    hv::CloseWindow(&other);
  }
}

TEST(Manifest, DeclaresPerMonitorDpiAwarenessOnly) {
  hvtest::ExpectManifest({
      {hvtest::DPI_AWARE, "true/pm"},
      {hvtest::DPI_AWARENESS, "PerMonitorV2, PerMonitor"},
      {hvtest::ACTIVE_CODE_PAGE, ""},
  });
  EXPECT_NE(GetACP(), UINT(CP_UTF8)) << "UTF-8 was not asked for";
}

}  // namespace
