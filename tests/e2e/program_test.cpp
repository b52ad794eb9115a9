// Starts ampliwind.exe, finds its window, looks at it, and closes it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// Under Wine the build's paths are Unix paths; drive Z: maps the root.
std::string WindowsPath(const std::string& path) {
  std::string windows = path.starts_with('/') ? "Z:" : "";
  for (char c : path) windows += c == '/' ? '\\' : c;
  return windows;
}

HWND WaitForWindow(const char* className, const char* caption, DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
    // Visible only once its creation, centring included, has finished.
    HWND w = FindWindowA(className, caption);
    if (w && IsWindowVisible(w)) return w;
    Sleep(50);
  }
  return nullptr;
}

// Saves the whole screen as a 24-bit BMP, for a person to look at.
void SaveScreenshot(const std::string& path) {
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  DWORD stride = (DWORD(width) * 3 + 3) & ~3u, size = stride * height;
  BITMAPFILEHEADER file = {0x4D42, DWORD(sizeof(file) + sizeof(info.bmiHeader) + size), 0, 0,
                           DWORD(sizeof(file) + sizeof(info.bmiHeader))};
  HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written;
  WriteFile(out, &file, sizeof(file), &written, nullptr);
  WriteFile(out, &info.bmiHeader, sizeof(info.bmiHeader), &written, nullptr);
  WriteFile(out, bits, size, &written, nullptr);
  CloseHandle(out);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string command = '"' + WindowsPath(AMPLIWIND_EXE) + '"';
    STARTUPINFOA startup = {sizeof(startup)};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process_))
        << "cannot start " << command;
    window_ = WaitForWindow("HalvornWndClass", "Ampliwind  -  50 Hertz", 10000);
  }
  void TearDown() override {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
      TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  PROCESS_INFORMATION process_ = {};
  HWND window_ = nullptr;
};

TEST_F(ProgramTest, OpensCentredAndClosesWithExitCodeZero) {
  ASSERT_NE(window_, nullptr) << "no visible main window appeared";

  RECT r, area;
  GetWindowRect(window_, &r);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  EXPECT_EQ(r.right - r.left, 512);
  EXPECT_EQ(r.bottom - r.top, 374);
  EXPECT_EQ(r.left, (area.left + area.right) / 2 - 512 / 2);
  EXPECT_EQ(r.top, (area.top + area.bottom) / 2 - 374 / 2);

  LONG style = GetWindowLongA(window_, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);

  // The window colour reaches the screen through the backing surface; the
  // program paints on its own schedule, so give it a moment under load.
  POINT inside = {5, 5};
  ClientToScreen(window_, &inside);
  COLORREF seen = CLR_INVALID;
  for (int tries = 0; tries < 50 && seen != 0xD8D2D2; ++tries) {
    Sleep(100);
    HDC screen = GetDC(nullptr);
    seen = GetPixel(screen, inside.x, inside.y);
    ReleaseDC(nullptr, screen);
  }
  SaveScreenshot(std::string(SCREENSHOT_DIR) + "/ampliwind-screenshot.bmp");
  EXPECT_EQ(seen, COLORREF(0xD8D2D2));

  // The close box asks; the program closes itself and ends with exit code 0.
  PostMessageA(window_, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(process_.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(process_.hProcess, &code);
  EXPECT_EQ(code, 0u);
}

}  // namespace
