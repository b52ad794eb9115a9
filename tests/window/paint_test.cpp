// Painting from the backing surface and erasing: pixels read back from the
// screen are compared with the bitmap. Wine keeps its own copy of window
// pixels, so each test invalidates explicitly to make the window repaint.
#include "tests/support/window_test.h"
#include "runtime/window/window_internal.h"

namespace {

using hvtest::recording;
using hvtest::Word;

constexpr COLORREF RED = RGB(255, 0, 0), BLUE = RGB(0, 0, 255), GREEN = RGB(0, 255, 0);

void FillRectWith(HDC dc, const RECT& r, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

// Draws straight into the backing bitmap, as a drawing bracket would, but
// without telling the window.
void FillSurface(const hv::WindowRecord& w, const RECT& r, COLORREF color) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(memory, w.backingBitmap);
  FillRectWith(memory, r, color);
  SelectObject(memory, previous);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

bool Inside(const RECT& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// Mismatches between the client pixels and what each pixel should be.
int CountMismatches(HWND window, const std::function<COLORREF(int x, int y)>& expected) {
  RECT client;
  GetClientRect(window, &client);
  std::vector<COLORREF> pixels = hvtest::Pixels::OnScreen(window).Colours();
  int mismatches = 0;
  for (int y = 0; y < client.bottom; ++y)
    for (int x = 0; x < client.right; ++x) {
      COLORREF got = pixels[size_t(y) * client.right + x], want = expected(x, y);
      if (want == CLR_INVALID) continue;  // not compared
      if (got != want && mismatches++ == 0)
        ADD_FAILURE() << "first mismatch at " << x << "," << y << ": " << std::hex << got
                      << " instead of " << want;
    }
  return mismatches;
}

// Records what this program copies with BitBlt while it lives: it takes the
// program's import slot of the routine, and puts the routine back after.
using BitBltRoutine = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, DWORD);
// A 32-bit program decorates a stdcall import: a leading underscore and the
// argument bytes.
#ifdef _WIN64
#define BITBLT_IMPORT_SLOT "__imp_BitBlt"
#else
#define BITBLT_IMPORT_SLOT "__imp__BitBlt@36"
#endif
extern "C" BitBltRoutine bitBltImport __asm__(BITBLT_IMPORT_SLOT);

struct Copy {
  RECT target;
  POINT source;
};

class CopySpy {
 public:
  CopySpy() {
    real_ = bitBltImport;
    copies_.clear();
    Patch(&Record);
  }
  ~CopySpy() { Patch(real_); }
  const std::vector<Copy>& Copies() const { return copies_; }

 private:
  static BOOL WINAPI Record(HDC target, int x, int y, int width, int height, HDC source,
                            int sourceX, int sourceY, DWORD rop) {
    copies_.push_back({{x, y, x + width, y + height}, {sourceX, sourceY}});
    return real_(target, x, y, width, height, source, sourceX, sourceY, rop);
  }
  static void Patch(BitBltRoutine routine) {
    DWORD access;
    VirtualProtect(&bitBltImport, sizeof bitBltImport, PAGE_READWRITE, &access);
    bitBltImport = routine;
    VirtualProtect(&bitBltImport, sizeof bitBltImport, access, &access);
  }
  static inline BitBltRoutine real_ = nullptr;
  static inline std::vector<Copy> copies_;
};

class Paint : public hvtest::WindowTest {
 protected:
  void Open(uint32_t options, hv::WindowRecord* parent = nullptr);
  hv::WindowRecord w = {};
  void TearDown() override {
    hv::CloseWindow(&w);
    hvtest::WindowTest::TearDown();
  }
};

void Paint::Open(uint32_t options, hv::WindowRecord* parent) {
  ASSERT_EQ(hv::OpenWindow(&w, 40, 40, 240, 180, options | hv::OW_TOPMOST, parent, "Paint",
                           hvtest::RecordingHandler), 1);
  UpdateWindow(w.hwnd);
  hvtest::Pump(30);
  hvtest::ResetRecording();
}

// A repaint copies exactly the update rectangle from the surface: the rest of
// the window keeps what it showed. The screen alone cannot tell, as painting
// is clipped to the update region: the spy sees what is copied.
TEST_F(Paint, RepaintCopiesExactlyTheUpdateRectangle) {
  Open(0);
  const COLORREF white = w.windowColor;
  ASSERT_EQ(CountMismatches(w.hwnd, [&](int, int) { return white; }), 0);
  RECT whole = {0, 0, 240, 180};
  FillSurface(w, whole, RED);
  RECT update = {20, 30, 61, 77};
  std::vector<Copy> copies;
  {
    CopySpy spy;
    RedrawWindow(w.hwnd, &update, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    copies = spy.Copies();
  }
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_TRUE(EqualRect(&copies[0].target, &update))
      << copies[0].target.left << "," << copies[0].target.top << "," << copies[0].target.right
      << "," << copies[0].target.bottom;
  EXPECT_EQ(copies[0].source.x, update.left);
  EXPECT_EQ(copies[0].source.y, update.top);
  EXPECT_EQ(CountMismatches(w.hwnd, [&](int x, int y) { return Inside(update, x, y) ? RED : white; }),
            0);
  // Erasing came first, in the window colour, lending its context to EV_ERASE.
  EXPECT_TRUE(hvtest::MatchesSequence(recording, {{.code = hv::EV_ERASE}}, {WM_PAINT}));
}

// The surface's own pixels, not the window colour, come back on a full repaint.
TEST_F(Paint, FullRepaintShowsTheWholeSurface) {
  Open(0);
  RECT left = {0, 0, 120, 180}, right = {120, 0, 240, 180};
  FillSurface(w, left, RED);
  FillSurface(w, right, BLUE);
  RedrawWindow(w.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_EQ(CountMismatches(w.hwnd, [](int x, int) { return x < 120 ? RED : BLUE; }), 0);
}

// Children keep their own pixels: the parent's copy leaves them out, also
// for a child window whose own style does not clip its children.
TEST_F(Paint, RepaintExcludesChildWindows) {
  hv::WindowRecord top = {};
  ASSERT_EQ(hv::OpenWindow(&top, 20, 20, 400, 320, hv::OW_TOPMOST, nullptr, "Top", nullptr), 1);
  Open(hv::OW_NOCAPTION, &top);  // a child window at 40,40 inside top
  HWND inner = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 10, 10,
                               50, 40, w.hwnd, nullptr, GetModuleHandleA(nullptr), nullptr);
  UpdateWindow(inner);
  hvtest::Pump(30);
  RECT innerRect = {10, 10, 60, 50};
  const COLORREF white = w.windowColor, frame = hvtest::Pixels::OnScreen(inner).At(0, 0);
  ASSERT_NE(frame, white);
  ASSERT_EQ(CountMismatches(w.hwnd, [&](int x, int y) { return Inside(innerRect, x, y) ? frame : white; }),
            0);
  RECT whole = {0, 0, 240, 180};
  FillSurface(w, whole, RED);
  RedrawWindow(w.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW);
  EXPECT_EQ(CountMismatches(w.hwnd, [&](int x, int y) { return Inside(innerRect, x, y) ? frame : RED; }),
            0);
  hv::CloseWindow(&w);
  hv::CloseWindow(&top);
}

// Without a surface, painting is the handler's: it gets event 15.
TEST_F(Paint, WindowWithoutSurfacePaintsThroughItsHandler) {
  Open(hv::OW_NOSURFACE);
  RedrawWindow(w.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_TRUE(hvtest::MatchesSequence(recording, {{.code = WM_PAINT, .param1 = 0, .param2 = 0}}));
  // A surface window answers painting itself.
  hv::CloseWindow(&w);
  Open(0);
  RedrawWindow(w.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_TRUE(hvtest::EventsWithCode(WM_PAINT).empty());
}

// During EV_ERASE the record holds the erase context; what the handler draws
// into it shows, and the context is taken back afterwards.
TEST_F(Paint, EraseLendsItsContextToTheHandler) {
  Open(hv::OW_NOSURFACE);
  std::vector<HDC> lent;
  RECT mark = {5, 5, 25, 15};
  hvtest::reaction = [&](const hvtest::Event& e) {
    if (e.code == hv::EV_ERASE) {
      lent.push_back(w.eventDC);
      FillRectWith(w.eventDC, mark, BLUE);
    }
    return 0;
  };
  w.windowColor = RED;
  RedrawWindow(w.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  ASSERT_EQ(lent.size(), 1u);
  EXPECT_EQ(Word(lent[0]), hvtest::EventsWithCode(hv::EV_ERASE)[0].param1);
  EXPECT_EQ(w.eventDC, nullptr);
  // The background is the record's windowColor, not the class brush.
  EXPECT_EQ(CountMismatches(w.hwnd, [&](int x, int y) { return Inside(mark, x, y) ? BLUE : RED; }),
            0);
}

// While a drawing bracket is open, painting copies what the bracket's
// context accumulated, and resets the accumulation.
TEST_F(Paint, OpenBracketPaintsItsAccumulatedBounds) {
  Open(0);
  const COLORREF white = w.windowColor;
  HDC screen = GetDC(w.hwnd);
  HDC bracket = CreateCompatibleDC(screen);
  ReleaseDC(w.hwnd, screen);
  HGDIOBJ previous = SelectObject(bracket, w.backingBitmap);
  RECT whole = {0, 0, 240, 180};
  FillRectWith(bracket, whole, BLUE);  // before accumulation: not copied
  SetBoundsRect(bracket, nullptr, DCB_RESET | DCB_ACCUMULATE | DCB_ENABLE);
  w.drawDC = bracket;
  w.drawDepth = 1;

  // Nothing drawn yet: a repaint copies nothing.
  RedrawWindow(w.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(CountMismatches(w.hwnd, [&](int, int) { return white; }), 0);

  RECT drawn = {30, 40, 70, 60};
  FillRectWith(bracket, drawn, RED);
  RedrawWindow(w.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(CountMismatches(w.hwnd, [&](int x, int y) { return Inside(drawn, x, y) ? RED : white; }),
            0);
  RECT bounds;
  EXPECT_EQ(GetBoundsRect(bracket, &bounds, 0) & DCB_SET, UINT(DCB_RESET)) << "bounds reset";

  w.drawDC = nullptr;
  w.drawDepth = 0;
  SelectObject(bracket, previous);
  DeleteDC(bracket);
}

// A client-sized surface: a resize repaints the whole window, stretching the
// surface over the new client area.
TEST_F(Paint, ClientSizedSurfaceRepaintsFullyWhenResized) {
  Open(hv::OW_SURFACECLIENTSIZE | hv::OW_NOCAPTION);
  RECT client;
  GetClientRect(w.hwnd, &client);
  ASSERT_EQ(client.right, 240);
  RECT left = {0, 0, 120, 180}, right = {120, 0, 240, 180};
  FillSurface(w, left, RED);
  FillSurface(w, right, BLUE);
  ValidateRect(w.hwnd, nullptr);
  SetWindowPos(w.hwnd, nullptr, 0, 0, 480, 180, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT update;
  GetUpdateRect(w.hwnd, &update, FALSE);
  EXPECT_EQ(update.left, 0);
  EXPECT_EQ(update.right, 480) << "the whole client, not only the new strip";
  UpdateWindow(w.hwnd);
  // Twice as wide: the red half now spans 0..239; halftone blends the seam.
  EXPECT_EQ(CountMismatches(w.hwnd, [](int x, int) {
              return x < 238 ? RED : x > 241 ? BLUE : CLR_INVALID;
            }), 0)
      << "stretched copy";
}

// A client-sized surface is made at the client's size in device pixels: at
// another DPI it is still copied one to one until the window is resized.
TEST_F(Paint, ClientSizedSurfaceIsCopiedOneToOneAtAnotherDpi) {
  Open(hv::OW_SURFACECLIENTSIZE | hv::OW_NOCAPTION);
  hv::SetWindowDpi(w.hwnd, 144);
  RECT left = {0, 0, 120, 180}, right = {120, 0, 240, 180};
  FillSurface(w, left, RED);
  FillSurface(w, right, BLUE);
  RedrawWindow(w.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(CountMismatches(w.hwnd, [](int x, int) { return x < 120 ? RED : BLUE; }), 0);
  // Drawn in 96-DPI units, repainted where it lands in device pixels.
  hv::DrawRect(&w, 100, 20, 20, 20, GREEN, GREEN);
  EXPECT_EQ(CountMismatches(w.hwnd, [](int x, int y) -> COLORREF {
              auto onEdge = [](int v, int edge) { return v >= edge - 1 && v <= edge; };
              if (onEdge(x, 150) || onEdge(x, 180) || onEdge(y, 30) || onEdge(y, 60)) return CLR_INVALID;
              bool inside = x > 150 && x < 180 && y > 30 && y < 60;
              return inside ? GREEN : x < 120 ? RED : BLUE;
            }), 0);
}

// A surface that is not client-sized is copied one to one; a resize only
// repaints what it uncovers.
TEST_F(Paint, ScreenSizedSurfaceRepaintsOnlyWhatAResizeUncovers) {
  Open(hv::OW_NOCAPTION);
  ValidateRect(w.hwnd, nullptr);
  SetWindowPos(w.hwnd, nullptr, 0, 0, 300, 180, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT update;
  GetUpdateRect(w.hwnd, &update, FALSE);
  EXPECT_EQ(update.left, 240);
  EXPECT_EQ(update.right, 300);
}

}  // namespace
