// Sizes that EndDraw, the paint handler and the static-control subclass need.
#include "runtime/draw/draw.h"

namespace hv {

int32_t GetBitmapSize(HBITMAP bitmap, int32_t* width, int32_t* height) {
  *width = 0;
  *height = 0;
  BITMAP description;
  if (bitmap && GetObjectA(bitmap, sizeof description, &description)) {
    *width = description.bmWidth;
    *height = description.bmHeight;
  }
  return 0;
}

int32_t GetClientSize(WindowRecord* record, int32_t* x, int32_t* y, int32_t* width, int32_t* height) {
  *x = 0;
  *y = 0;
  *width = 0;
  *height = 0;
  RECT client;
  if (record->hwnd && GetClientRect(record->hwnd, &client)) {
    *width = client.right - client.left;
    *height = client.bottom - client.top;
  }
  return 0;
}

int32_t GetWindowScreenRect(WindowRecord* record, int32_t* x, int32_t* y, int32_t* width,
                            int32_t* height, int32_t controlId) {
  *x = 0;
  *y = 0;
  *width = 0;
  *height = 0;
  if (!record->hwnd) return 0;
  HWND window = controlId ? GetDlgItem(record->hwnd, controlId) : record->hwnd;
  RECT rect;
  if (window && GetWindowRect(window, &rect)) {
    *x = rect.left;
    *y = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
  }
  return 0;
}

}  // namespace hv
