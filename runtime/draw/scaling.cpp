// The touched rectangle of a stretched client-sized surface, in client pixels.
// Every product and sum is rounded to single precision before it is used,
// and each conversion to integer rounds to nearest, ties to even, so that
// the repainted area matches what the paint handler's stretch covers.
#include <cmath>

#include "runtime/draw/draw_internal.h"

namespace hv {

RECT ScaleBoundsToClient(const RECT& bounds, int32_t bitmapWidth, int32_t bitmapHeight,
                         int32_t clientWidth, int32_t clientHeight) {
  float sx = float(double(clientWidth) / double(bitmapWidth));
  float sy = float(double(clientHeight) / double(bitmapHeight));
  int32_t w = bounds.right - bounds.left + 1;
  int32_t h = bounds.bottom - bounds.top + 1;
  int32_t left = int32_t(lrintf(float(double(sx) * bounds.left)));
  int32_t top = int32_t(lrintf(float(double(sy) * bounds.top)));
  int32_t right = int32_t(lrintf(float(float(left) + float(double(sx) * w))));
  int32_t bottom = int32_t(lrintf(float(float(top) + float(double(sy) * h))));
  return RECT{left - 1, top - 1, right, bottom};
}

}  // namespace hv
