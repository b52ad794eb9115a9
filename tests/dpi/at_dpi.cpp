#include "tests/dpi/at_dpi.h"

#include <cstdlib>
#include <fstream>

#include "runtime/runtime.h"
#include "tests/support/user_input.h"
#include "tests/support/wait.h"

namespace dpitest {
namespace {

bool IsClass(HWND window, const char* name) {
  char className[32] = {};
  GetClassNameA(window, className, sizeof className);
  return lstrcmpiA(className, name) == 0;
}

// The edges of a window the program places; the system sizes a combo box's and a status bar's
// height from the font, an MDI client from the bars. A window with a caption is placed by its
// corner: its client area, not its frame, scales (measured on its own).
struct SystemSized {
  const char* className;
  bool atFoot;  // only its bottom edge is the program's, else only its top
};
constexpr SystemSized SYSTEM_SIZED[] = {
    {"ComboBox", false}, {"msctls_statusbar32", true}, {"MDIClient", false}};

RECT ScreenRect(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  if ((GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) {
    r.right = r.left;
    r.bottom = r.top;
    return r;
  }
  for (const SystemSized& sized : SYSTEM_SIZED)
    if (IsClass(window, sized.className))
      r = sized.atFoot ? RECT{r.left, r.bottom, r.right, r.bottom} : RECT{r.left, r.top, r.right, r.top};
  return r;
}

Layout LoadLayout(const std::string& path) {
  Layout layout;
  std::ifstream in(path);
  Placed p;
  while (in >> p.name >> p.rect.left >> p.rect.top >> p.rect.right >> p.rect.bottom)
    layout.push_back(p);
  return layout;
}

const RECT* Find(const Layout& layout, const std::string& name) {
  for (const Placed& p : layout)
    if (p.name == name) return &p.rect;
  return nullptr;
}

bool SaveLayout(const Layout& layout, const std::string& path) {
  std::ofstream out(path);
  for (const Placed& p : layout)
    out << p.name << ' ' << p.rect.left << ' ' << p.rect.top << ' ' << p.rect.right << ' '
        << p.rect.bottom << '\n';
  return bool(out);
}

// value * dpi / 96, exactly, against a measured edge: within a pixel.
bool Near(LONG measured, LONG standard, int dpi) {
  return std::abs(measured * 96 - standard * dpi) <= 96;
}

std::string Show(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

bool ShowsCaptionAsText(HWND control) {
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  if (IsClass(control, "Button")) return !(style & (BS_BITMAP | BS_ICON));
  if (IsClass(control, "Static")) {
    const LONG type = style & SS_TYPEMASK;
    return type <= SS_RIGHT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP;
  }
  return false;
}

// A check box's or radio button's glyph before its caption: a 12-pixel box and a 4-pixel gap.
int GlyphWidth(HWND control, int dpi) {
  const LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
  const bool glyph = IsClass(control, "Button") &&
                     (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                      type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE);
  return glyph ? ToDevice(16, dpi) : 0;
}

SIZE CaptionExtent(HWND control, const char* text) {
  HDC dc = GetDC(control);
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
  RECT r = {};
  DrawTextA(dc, text, -1, &r, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return {r.right - r.left, r.bottom - r.top};
}

}  // namespace

constexpr char FONTS_KEY[] = "System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts";

bool DpiSetForNewProcesses() {
  return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

DWORD ReadLogPixels() {
  DWORD value = 0, size = sizeof value;
  return RegGetValueA(HKEY_LOCAL_MACHINE, FONTS_KEY, "LogPixels", RRF_RT_REG_DWORD, nullptr, &value,
                      &size) == ERROR_SUCCESS ? value : 0;
}

bool WriteLogPixels(DWORD dpi) {
  return RegSetKeyValueA(HKEY_LOCAL_MACHINE, FONTS_KEY, "LogPixels", REG_DWORD, &dpi, sizeof dpi) ==
         ERROR_SUCCESS;
}

int AskedDpi() {
  const char* value = std::getenv(DPI_VARIABLE);
  return value ? std::atoi(value) : 0;
}

std::string ReferencePath() {
  const char* value = std::getenv(REFERENCE_VARIABLE);
  return value ? value : "";
}

void AddWindow(Layout* layout, const std::string& name, HWND window) {
  RECT r = ScreenRect(window);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  layout->push_back({name, r});
}

void AddClientArea(Layout* layout, const std::string& prefix, HWND parent) {
  RECT r = {};
  GetClientRect(parent, &r);
  layout->push_back({prefix + "/client", r});
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    AddWindow(layout, prefix + "/" + std::to_string(GetDlgCtrlID(child)), child);
}

void SaveOrExpectScaled(const Layout& layout, int dpi) {
  if (GetFileAttributesA(ReferencePath().c_str()) == INVALID_FILE_ATTRIBUTES) {
    ASSERT_EQ(dpi, STANDARD_DPI) << "no layout measured at 96 DPI";
    ASSERT_TRUE(SaveLayout(layout, ReferencePath()));
    return;
  }
  const Layout reference = LoadLayout(ReferencePath());
  ASSERT_FALSE(reference.empty()) << "no layout measured at 96 DPI";
  EXPECT_EQ(reference.size(), layout.size());
  for (const Placed& standard : reference) {
    const RECT* seen = Find(layout, standard.name);
    EXPECT_NE(seen, nullptr) << standard.name << " is missing";
    if (!seen) continue;
    const RECT& s = standard.rect;
    EXPECT_TRUE(Near(seen->left, s.left, dpi) && Near(seen->top, s.top, dpi) &&
                Near(seen->right, s.right, dpi) && Near(seen->bottom, s.bottom, dpi))
        << standard.name << ": " << Show(*seen) << " at " << dpi << " DPI, " << Show(s)
        << " at 96 DPI, scaled " << Show(ToDevice(s, dpi));
  }
}

void ExpectRunsAtDpi(hv::WindowRecord* window, int dpi) {
  EXPECT_EQ(hv::GetWindowDpi(window), dpi) << "the runtime";
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(std::pair(GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)),
            std::pair(dpi, dpi)) << "the screen";
  ReleaseDC(nullptr, screen);
  using DpiForWindow = UINT(WINAPI*)(HWND);
  auto forWindow = reinterpret_cast<DpiForWindow>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  if (forWindow) {
    EXPECT_EQ(int(forWindow(window->hwnd)), dpi) << "GetDpiForWindow";
  }
}

int ExpectCaptionsFit(HWND parent, const std::string& name, int dpi) {
  int measured = 0;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    // A hidden label (a field's name for screen readers) shows nothing.
    char text[256] = {};
    if (!IsWindowVisible(c) || !ShowsCaptionAsText(c) || !GetWindowTextA(c, text, sizeof text)) continue;
    ++measured;
    RECT client = {};
    GetClientRect(c, &client);
    const SIZE extent = CaptionExtent(c, text);
    EXPECT_LE(extent.cx + GlyphWidth(c, dpi), client.right) << name << ": \"" << text << "\" wide";
    EXPECT_LE(extent.cy, client.bottom) << name << ": \"" << text << "\" high";
  }
  return measured;
}

void ExpectClickLands(HWND window, const std::string& name, int dpi, const std::function<bool()>& done) {
  const Layout standard = LoadLayout(ReferencePath());
  const RECT* r = Find(standard, name);
  ASSERT_NE(r, nullptr) << name;
  ASSERT_FALSE(done()) << name << " before the click";
  POINT screen = {ToDevice((r->left + r->right) / 2, dpi), ToDevice((r->top + r->bottom) / 2, dpi)};
  const POINT device = screen;
  ClientToScreen(window, &screen);
  // The pointer arrives first; press and release carry the point too, so none lands elsewhere.
  SetCursorPos(screen.x, screen.y);
  INPUT inputs[] = {hvtest::MouseInputAt(screen, 0),
                    hvtest::MouseInputAt(screen, MOUSEEVENTF_LEFTDOWN),
                    hvtest::MouseInputAt(screen, MOUSEEVENTF_LEFTUP)};
  ASSERT_EQ(SendInput(3, inputs, sizeof inputs[0]), 3u);
  EXPECT_TRUE(hvtest::WaitUntil([&] {
    hv::WaitEvents(1);
    return done();
  })) << "the click at (" << device.x << ',' << device.y << ") did not reach " << name;
}

}  // namespace dpitest
