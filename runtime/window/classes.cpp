// The two runtime window classes and the small lookups on window handles.
#include "runtime/window/window_internal.h"

namespace hv {

ATOM windowClassAtom = 0;
ATOM frameClassAtom = 0;
ATOM mdiClientAtom = 0;
WindowRecord* recordUnderCreation = nullptr;
int32_t dpiUnderCreation = STANDARD_DPI;
HWND windowUnderCreation = nullptr;

namespace {

constexpr WORD ICON_RESOURCE = 101;

HBRUSH WhiteBrush() { return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)); }
HBRUSH WorkspaceBrush() { return reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1); }

struct RuntimeClass {
  const char* name;
  UINT style;
  HBRUSH (*background)();
  ATOM* atom;
};

const RuntimeClass runtimeClasses[] = {
    {"HalvornWndClass", CS_BYTEALIGNCLIENT | CS_DBLCLKS, WhiteBrush, &windowClassAtom},
    {"HalvornFrameClass", CS_BYTEALIGNWINDOW | CS_DBLCLKS, WorkspaceBrush, &frameClassAtom},
};

HICON ClassIcon(HINSTANCE module) {
  // Test programs and foreign hosts may lack the program's icon resource.
  HICON icon = LoadIconA(module, MAKEINTRESOURCEA(ICON_RESOURCE));
  return icon ? icon : LoadIconA(nullptr, IDI_APPLICATION);
}

// The small icon chosen from the resource at the size the system asks,
// rather than left to be shrunk from the large one; none without the
// resource: the system then makes one from the large icon.
HICON SmallClassIcon(HINSTANCE module) {
  return static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(ICON_RESOURCE), IMAGE_ICON,
                                       GetSystemMetrics(SM_CXSMICON),
                                       GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

}  // namespace

int32_t RegisterWindowClasses() {
  HINSTANCE module = GetModuleHandleA(nullptr);
  for (const RuntimeClass& rc : runtimeClasses) {
    if (*rc.atom) continue;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = rc.style;
    wc.lpfnWndProc = RuntimeWindowProc;
    wc.cbWndExtra = sizeof(LONG_PTR);  // RECORD_SLOT
    wc.hInstance = module;
    wc.hIcon = ClassIcon(module);
    wc.hIconSm = SmallClassIcon(module);
    wc.hbrBackground = rc.background();
    wc.lpszClassName = rc.name;
    *rc.atom = RegisterClassExA(&wc);
  }
  return 0;
}

ATOM ClassAtomOf(HWND window) {
  return window ? static_cast<ATOM>(GetClassLongA(window, GCW_ATOM)) : 0;
}

bool IsRuntimeWindow(HWND window) {
  ATOM atom = ClassAtomOf(window);
  return atom && (atom == windowClassAtom || atom == frameClassAtom);
}

WindowRecord* AttachedRecord(HWND window) {
  if (!IsRuntimeWindow(window)) return nullptr;
  return reinterpret_cast<WindowRecord*>(GetWindowLongPtrA(window, RECORD_SLOT));
}

bool IsMdiChild(HWND window) {
  // A window without parent reads atom 0; it must never pass for an MDI child,
  // not even before the first MDI client told us the real atom.
  HWND parent = window ? GetParent(window) : nullptr;
  if (!parent || !mdiClientAtom || mdiClientAtom == NO_MDI_CLIENT_ATOM) return false;
  return ClassAtomOf(parent) == mdiClientAtom;
}

}  // namespace hv
