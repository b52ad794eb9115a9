// The font of a control the program gives none: the system's message font
// (the face its dialogs and message boxes use) at the window's DPI, owned
// by the control like a font SetFont made, and remade with it at a new DPI.
#include "runtime/controls/controls_internal.h"

namespace hv {
namespace {

typedef BOOL(WINAPI* MetricsForDpi)(UINT, UINT, void*, UINT, UINT);

// SystemParametersInfoForDpi exists from Windows 10 on; before, the
// metrics are the system DPI's. Looked up once, without a guarded static.
void* metricsQuery = nullptr;

bool MetricsAtDpi(NONCLIENTMETRICSW* metrics, int32_t dpi) {
  if (!metricsQuery) {
    FARPROC found = GetProcAddress(GetModuleHandleA("user32.dll"), "SystemParametersInfoForDpi");
    metricsQuery = found ? reinterpret_cast<void*>(found) : &metricsQuery;
  }
  if (metricsQuery == &metricsQuery) return false;
  return reinterpret_cast<MetricsForDpi>(metricsQuery)(SPI_GETNONCLIENTMETRICS, metrics->cbSize,
                                                       metrics, 0, UINT(dpi));
}

// The system DPI's metrics, the height taken to the DPI asked for.
bool MetricsScaled(NONCLIENTMETRICSW* metrics, int32_t dpi) {
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics->cbSize, metrics, 0)) {
    // A system older than the padded-border field knows the shorter record.
    metrics->cbSize -= UINT(sizeof metrics->iPaddedBorderWidth);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics->cbSize, metrics, 0)) return false;
  }
  int32_t system = SystemDpiFor(nullptr);
  metrics->lfMessageFont.lfHeight = MulDiv(metrics->lfMessageFont.lfHeight, dpi, system);
  return true;
}

}  // namespace

LOGFONTW MessageFont(int32_t dpi) {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  if (MetricsAtDpi(&metrics, dpi) || MetricsScaled(&metrics, dpi)) return metrics.lfMessageFont;
  // No metrics at all: the stock face for controls, at the DPI.
  LOGFONTW font = {};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  font.lfHeight = MulDiv(font.lfHeight, dpi, SystemDpiFor(nullptr));
  return font;
}

void GiveMessageFont(HWND control) {
  if (!control || GetPropA(control, CP_FONT)) return;
  LOGFONTW description = MessageFont(DpiOfWindow(control));
  HFONT font = CreateFontIndirectW(&description);
  if (!font) return;  // the control keeps the system's
  ReleaseWithControl(control);
  // Not shown yet: nothing to repaint.
  SendMessageA(control, WM_SETFONT, WPARAM(font), FALSE);
  SetPropA(control, CP_FONT, font);
  SetPropA(control, CP_DEFAULT_FONT, font);
}

}  // namespace hv
