#include "tests/support/reference_image.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "capture.h"
#include "png.h"
#include "tests/support/program_test.h"
#include "tests/support/user_input.h"

namespace hvtest {
namespace {

using File = std::unique_ptr<FILE, int (*)(FILE*)>;

File Open(const std::string& path, const char* mode) { return File(std::fopen(path.c_str(), mode), std::fclose); }

std::vector<uint8_t> Rgb(const Pixels& p) {
  std::vector<uint8_t> rgb;
  for (COLORREF c : p.Colours()) rgb.insert(rgb.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
  return rgb;
}

// The reference greyed and lightened, each differing pixel red; what differs
// counted and bounded.
Pixels Difference(const Pixels& seen, const Pixels& reference, int* differing, RECT* box) {
  std::vector<COLORREF> out;
  *box = {seen.Width(), seen.Height(), -1, -1};
  for (int y = 0; y < reference.Height(); ++y)
    for (int x = 0; x < reference.Width(); ++x) {
      COLORREF r = reference.At(x, y);
      int grey = 128 + (GetRValue(r) + GetGValue(r) + GetBValue(r)) / 6;
      out.push_back(seen.At(x, y) == r ? RGB(grey, grey, grey) : RGB(255, 0, 0));
      if (seen.At(x, y) == r) continue;
      ++*differing;
      *box = {std::min<LONG>(box->left, x), std::min<LONG>(box->top, y),
              std::max<LONG>(box->right, x + 1), std::max<LONG>(box->bottom, y + 1)};
    }
  return Pixels(reference.Width(), reference.Height(), std::move(out));
}

std::string BaseName(const std::string& name) { return name.substr(name.find_last_of('/') + 1); }

// The references' format: "HVIMG1 width height\n", then runs of equal
// pixels, each a count less one (one byte) and the colour's blue, green and
// red bytes. Screen pictures are mostly flat: a few kilobytes.
bool WriteImage(const std::string& path, const Pixels& pixels) {
  File f = Open(path, "wb");
  if (!f) return false;
  std::fprintf(f.get(), "HVIMG1 %d %d\n", pixels.Width(), pixels.Height());
  const std::vector<COLORREF>& c = pixels.Colours();
  for (size_t i = 0; i < c.size();) {
    size_t run = 1;
    while (run < 256 && i + run < c.size() && c[i + run] == c[i]) ++run;
    const uint8_t bytes[] = {uint8_t(run - 1), GetBValue(c[i]), GetGValue(c[i]), GetRValue(c[i])};
    std::fwrite(bytes, 1, sizeof bytes, f.get());
    i += run;
  }
  return std::ferror(f.get()) == 0;
}

bool ReadImage(const std::string& path, Pixels* pixels) {
  File f = Open(path, "rb");
  int width = 0, height = 0;
  if (!f || std::fscanf(f.get(), "HVIMG1 %d %d", &width, &height) != 2 || std::fgetc(f.get()) != '\n' ||
      width <= 0 || height <= 0 || width > 8192 || height > 8192)
    return false;
  std::vector<COLORREF> colours;
  const size_t total = size_t(width) * height;
  uint8_t run[4];
  while (colours.size() < total && std::fread(run, 1, sizeof run, f.get()) == sizeof run)
    colours.insert(colours.end(), size_t(run[0]) + 1, RGB(run[3], run[2], run[1]));
  if (colours.size() != total) return false;
  *pixels = Pixels(width, height, std::move(colours));
  return true;
}

}  // namespace

::testing::AssertionResult MatchesReference(const Pixels& seen, const std::string& name) {
  const std::string path = std::string(HV_SOURCE_DIR) + "/tests/" + name + ".hvimg";
  const char* update = std::getenv("HV_UPDATE_REFERENCES");
  if (update && *update == '1') {
    bool written = WriteImage(path, seen);
    return ::testing::AssertionFailure() << (written ? "wrote " : "could not write ") << path;
  }
  Pixels reference;
  if (!ReadImage(path, &reference))
    return ::testing::AssertionFailure() << "no readable reference image " << path
                                         << " (HV_UPDATE_REFERENCES=1 writes it)";
  if (reference.Width() != seen.Width() || reference.Height() != seen.Height())
    return ::testing::AssertionFailure()
           << name << ": " << seen.Width() << " by " << seen.Height() << " pixels, the reference "
           << reference.Width() << " by " << reference.Height();
  const std::string base = BaseName(name);
  if (seen == reference) {
    // No picture of an earlier failure stays to be taken for this run's.
    std::remove((base + "-seen.png").c_str());
    std::remove((base + "-difference.png").c_str());
    return ::testing::AssertionSuccess();
  }
  int differing = 0;
  RECT box;
  const Pixels difference = Difference(seen, reference, &differing, &box);
  shot::WritePng((base + "-seen.png").c_str(), seen.Width(), seen.Height(), Rgb(seen));
  shot::WritePng((base + "-difference.png").c_str(), seen.Width(), seen.Height(), Rgb(difference));
  return ::testing::AssertionFailure()
         << name << ": " << differing << " pixels differ, within " << ::testing::PrintToString(box)
         << "; see " << base << "-seen.png and " << base << "-difference.png in the test's folder";
}

::testing::AssertionResult ShowsPicture(HWND window, const std::string& name) {
  auto picture = [&] { return Pixels::OfScreen(WindowRect(window)); };
  Pixels expected;
  if (MoveMouseTo({0, 0}) &&
      ReadImage(std::string(HV_SOURCE_DIR) + "/tests/" + name + ".hvimg", &expected))
    WaitUntil([&] { return picture() == expected; });
  return MatchesReference(picture(), name);
}

bool SaveScreenshot(HWND window, const char* name) {
  return shot::SaveWindowPng(window, WindowsPath(std::string(SCREENSHOT_DIR) + "/" + name).c_str());
}

}  // namespace hvtest
