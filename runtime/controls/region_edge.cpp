// The three-dimensional edge of a button shaped by a window region, drawn
// as bands. A band of offset d is the part of the region not covered by the
// region moved d pixels right and down: a positive d gives the top and left
// edge d pixels thick, a negative d the bottom and right edge. Later bands
// paint over earlier ones, so the outer pixel takes the one-pixel band. The
// offsets are 96-DPI pixels, scaled with the control's DPI.
#include "runtime/controls/controls.h"
#include "runtime/window/window_internal.h"

namespace hv {
namespace {

struct EdgeBand {
  int32_t offset;
  int32_t colourIndex;  // a system colour
};

struct Edge {
  int32_t bands;
  EdgeBand band[4];
};

// [edge width is 2][pressed]: raised when not pressed, sunken when pressed.
constexpr Edge EDGES[2][2] = {
    {  // any other width
        {2, {{+1, COLOR_BTNHIGHLIGHT}, {-1, COLOR_3DDKSHADOW}}},
        {2, {{+1, COLOR_3DDKSHADOW}, {-1, COLOR_BTNHIGHLIGHT}}},
    },
    {  // width 2
        {4, {{+2, COLOR_BTNHIGHLIGHT}, {-2, COLOR_BTNSHADOW}, {+1, COLOR_3DLIGHT},
             {-1, COLOR_3DDKSHADOW}}},
        {4, {{+2, COLOR_3DDKSHADOW}, {-2, COLOR_3DLIGHT}, {+1, COLOR_BTNSHADOW},
             {-1, COLOR_BTNHIGHLIGHT}}},
    },
};

}  // namespace

int32_t DrawRegionEdge(HWND control, HDC dc, HRGN region, int32_t pressed, int32_t width) {
  if (!region) return 0;
  const Edge& edge = EDGES[width == 2][pressed != 0];
  int32_t dpi = DpiOfWindow(control);
  HRGN band = CreateRectRgn(0, 0, 0, 0);
  for (int32_t i = 0; i < edge.bands; ++i) {
    int32_t d = ToDevice(edge.band[i].offset, dpi);
    CombineRgn(band, region, nullptr, RGN_COPY);
    OffsetRgn(band, d, d);
    CombineRgn(band, region, band, RGN_DIFF);
    HBRUSH brush = CreateSolidBrush(GetSysColor(edge.band[i].colourIndex));
    FillRgn(dc, band, brush);
    DeleteObject(brush);
  }
  DeleteObject(band);
  return 0;
}

}  // namespace hv
