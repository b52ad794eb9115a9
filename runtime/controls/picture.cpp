// Caption pictures: a bitmap button or picture static shows the bitmap its
// caption names, as a resource number, a resource name or a file path. A
// picture is drawn for 96 DPI: at another the control shows it grown with
// the control, smoothed rather than with doubled pixels.
#include <cstring>

#include "runtime/controls/controls_internal.h"
#include "runtime/core/core.h"

namespace hv {

const PictureMessages BUTTON_PICTURE = {BS_BITMAP, BS_BITMAP, BM_GETIMAGE, BM_SETIMAGE};
// A static's type is the whole of its low bits: SS_ENHMETAFILE (0xF) holds
// SS_BITMAP's bits too, but takes no bitmap.
const PictureMessages STATIC_PICTURE = {SS_TYPEMASK, SS_BITMAP, STM_GETIMAGE, STM_SETIMAGE};

namespace {

constexpr size_t NAME_BUFFER = 260;  // at most 259 characters and the zero
constexpr int32_t LAST_RESOURCE_ID = 0xFFFF;

HBITMAP LoadPicture(const char* name) {
  UINT flags = LR_CREATEDIBSECTION;
  HINSTANCE module = nullptr;
  const char* resource = name;
  if (std::strchr(name, ':')) {
    flags |= LR_LOADFROMFILE;
  } else {
    module = GetModuleHandleA(nullptr);
    double number = TextToNumber(name);
    if (number > 0) {
      // Resource numbers are 16 bits: a larger one would load another resource.
      int32_t id = RoundToInt32(number);
      if (id < 1 || id > LAST_RESOURCE_ID) return nullptr;
      resource = MAKEINTRESOURCEA(id);
    }
  }
  return static_cast<HBITMAP>(LoadImageA(module, resource, IMAGE_BITMAP, 0, 0, flags));
}

// A copy of picture at the DPI, or null when none can be made.
HBITMAP ScaledCopy(HBITMAP picture, int32_t dpi) {
  BITMAP size = {};
  if (!picture || !GetObjectA(picture, sizeof size, &size)) return nullptr;
  int32_t width = ToDevice(size.bmWidth, dpi), height = ToDevice(size.bmHeight, dpi);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP scaled = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC from = CreateCompatibleDC(nullptr), to = CreateCompatibleDC(nullptr);
  bool copied = false;
  if (scaled && from && to) {
    HGDIOBJ previousFrom = SelectObject(from, picture), previousTo = SelectObject(to, scaled);
    SetStretchBltMode(to, HALFTONE);
    SetBrushOrgEx(to, 0, 0, nullptr);  // halftone patterns start at the corner
    copied = StretchBlt(to, 0, 0, width, height, from, 0, 0, size.bmWidth, size.bmHeight,
                        SRCCOPY);
    SelectObject(from, previousFrom);
    SelectObject(to, previousTo);
  }
  if (from) DeleteDC(from);
  if (to) DeleteDC(to);
  if (copied) return scaled;
  if (scaled) DeleteObject(scaled);  // a blank copy is no picture
  return nullptr;
}

// The messages of a control whose class may show a picture, whatever its
// style says now.
const PictureMessages* PictureMessagesOf(HWND control) {
  char name[8] = {};
  GetClassNameA(control, name, sizeof name);
  if (!lstrcmpiA(name, "Button")) return &BUTTON_PICTURE;
  if (!lstrcmpiA(name, "Static")) return &STATIC_PICTURE;
  return nullptr;
}

const PictureMessages* PictureShownBy(HWND control) {
  const PictureMessages* picture = PictureMessagesOf(control);
  return picture && ShowsPicture(control, *picture) ? picture : nullptr;
}

// The control shows `given`; at a DPI other than 96 it shows a copy grown
// to it instead, which the runtime made and owns, `given` being kept beside
// it to grow again at the next DPI and to be shown again. Without a copy it
// goes on showing `given`.
void ShowAtDpi(HWND control, const PictureMessages& picture, HBITMAP given, int32_t dpi) {
  HBITMAP grown = dpi == STANDARD_DPI ? nullptr : ScaledCopy(given, dpi);
  if (!grown) return;
  SendMessageA(control, picture.set, IMAGE_BITMAP, reinterpret_cast<LPARAM>(grown));
  SetPropA(control, CP_PICTURE, given);
  SetPropA(control, CP_GROWN_PICTURE, grown);
  // A child the runtime did not make must give the copy back when it goes.
  ReleaseWithControl(control);
}

// A name that does not fit the buffer is refused rather than cut: the first
// 259 characters of a long path may well name another, existing file.
bool CopyName(char (&buffer)[NAME_BUFFER], const char* name) {
  if (!name) return false;
  size_t length = strnlen(name, NAME_BUFFER);
  if (length >= NAME_BUFFER) return false;
  std::memcpy(buffer, name, length + 1);
  return true;
}

}  // namespace

bool ShowsPicture(HWND control, const PictureMessages& picture) {
  auto style = static_cast<uint32_t>(GetWindowLongA(control, GWL_STYLE));
  return (style & picture.styleMask) == picture.styleBits;
}

void TakeCaptionPicture(HWND control, const PictureMessages& picture, const char* name) {
  // The control owns its picture, including one its class loaded itself
  // from the caption at creation.
  ShowGivenPicture(control);
  auto current = reinterpret_cast<HGDIOBJ>(SendMessageA(control, picture.get, IMAGE_BITMAP, 0));
  if (current) DeleteObject(current);
  SendMessageA(control, picture.set, IMAGE_BITMAP, 0);
  char buffer[NAME_BUFFER];
  HBITMAP loaded = CopyName(buffer, name) ? LoadPicture(buffer) : nullptr;
  if (!loaded) return;
  SendMessageA(control, picture.set, IMAGE_BITMAP, reinterpret_cast<LPARAM>(loaded));
  ShowAtDpi(control, picture, loaded, DpiOfWindow(control));
}

void ShowGivenPicture(HWND control) {
  auto grown = static_cast<HBITMAP>(RemovePropA(control, CP_GROWN_PICTURE));
  auto given = static_cast<HBITMAP>(RemovePropA(control, CP_PICTURE));
  const PictureMessages* picture = PictureMessagesOf(control);
  if (!grown || !picture) return;
  // A copy replaced behind the runtime's back went to whoever replaced it.
  if (SendMessageA(control, picture->get, IMAGE_BITMAP, 0) != reinterpret_cast<LRESULT>(grown))
    return;
  SendMessageA(control, picture->set, IMAGE_BITMAP, reinterpret_cast<LPARAM>(given));
  DeleteObject(grown);
}

void RetakeCaptionPicture(HWND control, int32_t dpi) {
  // Grown from the picture last given, by the caption or by the program.
  ShowGivenPicture(control);
  const PictureMessages* picture = PictureShownBy(control);
  if (!picture) return;
  auto given = reinterpret_cast<HBITMAP>(SendMessageA(control, picture->get, IMAGE_BITMAP, 0));
  if (given) ShowAtDpi(control, *picture, given, dpi);
}

void TakeCaptionPictureFromText(HWND control, const PictureMessages& picture) {
  // A longer text is cut to what the buffer holds.
  char text[NAME_BUFFER] = {};
  GetWindowTextA(control, text, sizeof text);
  TakeCaptionPicture(control, picture, text);
}

void TakeCaptionPictureFromMessage(HWND control, const PictureMessages& picture, LPARAM text) {
  if (!IsWindowUnicode(control) || !text) {
    TakeCaptionPicture(control, picture, reinterpret_cast<const char*>(text));
    return;
  }
  // A name too long for the buffer is refused, as an ANSI one is.
  char name[NAME_BUFFER] = {};
  int converted = WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const WCHAR*>(text), -1, name,
                                      int(sizeof name), nullptr, nullptr);
  TakeCaptionPicture(control, picture, converted ? name : nullptr);
}

}  // namespace hv
