// The price of the drawing bracket: each runtime primitive on a real window
// (context fetch, state applied and taken back, pen and font re-created,
// touched rectangle repainted) against the bare GDI call on a memory
// context that stays open.
#include "bench/bench.h"
#include "runtime/runtime.h"

namespace {

constexpr int RUNS = 7;
constexpr int RUNTIME_REPS = 300;
constexpr int GDI_REPS = 20000;
const char TEXT[] = "Transformer Power ( W )";

// A memory context with a bitmap, a pen, a brush and a font selected, as the
// bracket would leave them, held open for the whole run.
struct HeldContext {
  HDC dc;
  HBITMAP bitmap;
  HPEN pen;
  HBRUSH brush;
  HFONT font;
  HGDIOBJ old[4];

  explicit HeldContext(HWND window) {
    HDC screen = GetDC(window);
    dc = CreateCompatibleDC(screen);
    bitmap = CreateCompatibleBitmap(screen, 512, 374);
    ReleaseDC(window, screen);
    pen = CreatePen(PS_SOLID, 1, 0);
    brush = CreateSolidBrush(RGB(200, 220, 240));
    font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, DRAFT_QUALITY, 0, "Tahoma");
    old[0] = SelectObject(dc, bitmap);
    old[1] = SelectObject(dc, pen);
    old[2] = SelectObject(dc, brush);
    old[3] = SelectObject(dc, font);
  }
  ~HeldContext() {
    for (HGDIOBJ o : old) SelectObject(dc, o);
    DeleteDC(dc);
    DeleteObject(bitmap);
    DeleteObject(pen);
    DeleteObject(brush);
    DeleteObject(font);
  }
};

}  // namespace

int main() {
  hv::RuntimeStartup();
  hv::WindowRecord w = {};
  // Shown without activation: the repaint inside each operation is part of its cost.
  hv::OpenWindow(&w, 40, 40, 512, 374, hv::OW_HIDDEN, nullptr, "draw bench", nullptr);
  ShowWindow(w.hwnd, SW_SHOWNOACTIVATE);
  UpdateWindow(w.hwnd);
  hv::SetFont(&w, "Tahoma", 10, 400, 0, 0);
  HeldContext held(w.hwnd);

  std::printf("runtime primitive on a window vs the GDI call on an open memory context\n");
  int i = 0;
  double kernel = bench::Median(RUNS, RUNTIME_REPS, [&] {
    hv::DrawRect(&w, 10 + (i++ & 15), 10, 180, 200, 0, RGB(200, 220, 240));
  });
  double baseline = bench::Median(RUNS, GDI_REPS, [&] {
    Rectangle(held.dc, 10 + (i & 15), 10, 190 + (i & 15), 210);
    ++i;
  });
  bench::Report("DrawRect 180x200 vs Rectangle", kernel, baseline);

  kernel = bench::Median(RUNS, RUNTIME_REPS, [&] {
    w.posX = 20;  // back to the line's start without a bracket of its own
    w.posY = 30 + (i++ & 63);
    hv::PrintText(2, hv::TC_RECORD, &w, hv::TC_STRING, TEXT);
  });
  baseline = bench::Median(RUNS, GDI_REPS, [&] {
    TextOutA(held.dc, 20, 30 + (i++ & 63), TEXT, sizeof TEXT - 1);
  });
  bench::Report("PrintText (23 chars) vs TextOutA", kernel, baseline);

  kernel = bench::Median(RUNS, RUNTIME_REPS, [&] { hv::MoveTo(&w, 20, 30 + (i++ & 63)); });
  baseline = bench::Median(RUNS, GDI_REPS, [&] { MoveToEx(held.dc, 20, 30 + (i++ & 63), nullptr); });
  bench::Report("MoveTo vs MoveToEx", kernel, baseline);

  hv::CloseWindow(&w);
  hv::RuntimeShutdown();
  return 0;
}
