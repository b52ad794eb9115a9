// The sizes of a bitmap, of a window's client area and of a window or control on the screen.
#include "runtime/draw/draw.h"
#include "runtime/window/window_internal.h"

namespace hv {

int32_t GetBitmapSize(HBITMAP bitmap, int32_t* width, int32_t* height) {
  *width = 0;
  *height = 0;
  BITMAP description;
  if (bitmap && GetObjectType(bitmap) == OBJ_BITMAP &&
      GetObjectA(bitmap, sizeof description, &description) == sizeof description) {
    *width = description.bmWidth;
    *height = description.bmHeight;
  }
  return 0;
}

int32_t GetClientSize(WindowRecord* record, int32_t* x, int32_t* y, int32_t* width,
                      int32_t* height) {
  *x = *y = *width = *height = 0;
  RECT client;
  if (record && record->hwnd && GetClientRect(record->hwnd, &client)) {
    int32_t dpi = DpiOfWindow(record->hwnd);
    *width = FromDevice(client.right, dpi);
    *height = FromDevice(client.bottom, dpi);
  }
  return 0;
}

int32_t GetWindowScreenRect(WindowRecord* record, int32_t* x, int32_t* y, int32_t* width,
                            int32_t* height, int32_t controlId) {
  *x = *y = *width = *height = 0;
  if (!record->hwnd) return 0;
  HWND window = controlId ? GetDlgItem(record->hwnd, controlId) : record->hwnd;
  RECT rect;
  if (window && GetWindowRect(window, &rect)) {
    int32_t dpi = DpiOfWindow(window);
    *x = FromDevice(rect.left, dpi);
    *y = FromDevice(rect.top, dpi);
    *width = FromDevice(rect.right, dpi) - *x;
    *height = FromDevice(rect.bottom, dpi) - *y;
  }
  return 0;
}

}  // namespace hv
