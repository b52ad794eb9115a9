#include "tests/support/recorder.h"

#include <cstdio>
#include <set>

namespace hvtest {

std::vector<Entry> recording;
std::function<int32_t(const Entry&)> reaction;
std::function<std::optional<LRESULT>(const Entry&)> answer;

namespace {

constexpr char ORIGINAL_PROC[] = "HvTestRecorderProc";

struct Watched {
  HWND window;
  UINT first, last;  // the messages recorded
};
std::vector<Watched> watched;
struct HookRange { HHOOK hook; int type; };
std::vector<HookRange> hookTypes;
std::vector<HWINEVENTHOOK> winEventHooks;
MSG lastQueued = {};  // the message the thread took from its queue last
struct { bool on; UINT first, last; } created = {};  // WatchCreatedWindows

BOOL CALLBACK CollectName(HWND, LPSTR name, HANDLE, ULONG_PTR names) {
  if (HIWORD(reinterpret_cast<uintptr_t>(name)))
    reinterpret_cast<std::set<std::string>*>(names)->insert(name);
  return TRUE;
}

Entry Message(Seen kind, HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  Entry e = {};
  if (message == WM_NCDESTROY) {
    EnumPropsExA(window, CollectName, reinterpret_cast<LPARAM>(&e.properties));
    e.properties.erase(ORIGINAL_PROC);
  }
  e.kind = kind;
  e.code = int32_t(message);
  e.param1 = INT_PTR(wparam);
  e.param2 = INT_PTR(lparam);
  e.hwnd = window;
  return e;
}

LRESULT CALLBACK WatchingProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto original = reinterpret_cast<WNDPROC>(GetPropA(window, ORIGINAL_PROC));
  bool recorded = false;
  for (const Watched& w : watched) recorded |= w.window == window && message >= w.first && message <= w.last;
  if (recorded) {
    // A message dispatched from the queue is the one the thread took last.
    bool queued = lastQueued.hwnd == window && lastQueued.message == message &&
                  lastQueued.wParam == wparam && lastQueued.lParam == lparam && !InSendMessage();
    Entry e = Message(message == WM_PAINT ? PAINT : queued ? POSTED : SENT, window, message,
                      wparam, lparam);
    GetUpdateRect(window, &e.update, FALSE);
    recording.push_back(e);
    if (queued) lastQueued = {};
    if (std::optional<LRESULT> given = answer ? answer(e) : std::nullopt)
      if (message != WM_NCDESTROY) return *given;
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_WNDPROC, LONG_PTR(original));
    RemovePropA(window, ORIGINAL_PROC);
    std::erase_if(watched, [window](const Watched& w) { return w.window == window; });
  }
  return CallWindowProcA(original, window, message, wparam, lparam);
}

HHOOK HookOf(int type) {
  for (const HookRange& h : hookTypes)
    if (h.type == type) return h.hook;
  return nullptr;
}

LRESULT CALLBACK QueueHook(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION && wparam == PM_REMOVE) lastQueued = *reinterpret_cast<MSG*>(lparam);
  return CallNextHookEx(HookOf(WH_GETMESSAGE), code, wparam, lparam);
}

LRESULT CALLBACK SentHook(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION) {
    auto* m = reinterpret_cast<CWPSTRUCT*>(lparam);
    // A watched window records its own messages.
    if (!GetPropA(m->hwnd, ORIGINAL_PROC))
      recording.push_back(Message(SENT, m->hwnd, m->message, m->wParam, m->lParam));
  }
  return CallNextHookEx(HookOf(WH_CALLWNDPROC), code, wparam, lparam);
}

LRESULT CALLBACK CbtHook(int code, WPARAM wparam, LPARAM lparam) {
  Entry e = Message(HOOK, nullptr, UINT(code), wparam, lparam);
  if (code == HCBT_CREATEWND || code == HCBT_DESTROYWND || code == HCBT_ACTIVATE)
    e.hwnd = reinterpret_cast<HWND>(wparam);
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lparam)->lpcs;
    bool named = HIWORD(reinterpret_cast<uintptr_t>(cs->lpszClass)) != 0;
    e.className = named ? cs->lpszClass : "#atom";
    e.style = DWORD(cs->style);
    e.exStyle = cs->dwExStyle;
    e.parent = cs->hwndParent;
    e.id = int(reinterpret_cast<intptr_t>(cs->hMenu));
    if (created.on) Watch(e.hwnd, created.first, created.last);
  }
  recording.push_back(e);
  return CallNextHookEx(HookOf(WH_CBT), code, wparam, lparam);
}

void CALLBACK WinEventHook(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                           DWORD) {
  recording.push_back(Message(WIN_EVENT, window, event, WPARAM(INT_PTR(object)), LPARAM(child)));
}

void Hook(int type, HOOKPROC proc) {
  if (HookOf(type)) return;
  HHOOK hook = SetWindowsHookExA(type, proc, nullptr, GetCurrentThreadId());
  hookTypes.push_back({hook, type});
}

bool FieldMatches(INT_PTR expected, INT_PTR got) { return expected == ANY || expected == got; }

bool Matches(const Expected& x, const Entry& e) {
  return x.code == e.code && (x.kinds & e.kind) && FieldMatches(x.param1, e.param1) &&
         FieldMatches(x.param2, e.param2) && FieldMatches(x.control, e.control) &&
         FieldMatches(x.notify, e.notify) && FieldMatches(x.x, e.x) && FieldMatches(x.y, e.y) &&
         (!x.window || x.window == e.window) && (!x.hwnd || x.hwnd == e.hwnd);
}

// An entry, expected or recorded, as a failure shows it: * for what is not compared.
std::string Line(const char* kind, std::initializer_list<INT_PTR> fields) {
  static const char* const names[] = {"code", "p1", "p2", "control", "notify", "x", "y", "window"};
  std::string line = std::string("  {") + kind;
  const char* const* name = names;
  for (INT_PTR v : fields) {
    line += std::string(name == names ? " " : ", ") + *name + " " + (v == ANY ? "*" : std::to_string(v));
    ++name;
  }
  return line + "}\n";
}

const char* KindName(Seen kind) {
  switch (kind) {
    case EVENT: return "event";
    case SENT: return "sent";
    case POSTED: return "posted";
    case PAINT: return "paint";
    case HOOK: return "hook";
    case WIN_EVENT: return "winevent";
    default: return "?";
  }
}

using BitBltRoutine = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, DWORD);
// A 32-bit program decorates a stdcall import: a leading underscore and the
// argument bytes.
#ifdef _WIN64
#define BITBLT_IMPORT_SLOT "__imp_BitBlt"
#else
#define BITBLT_IMPORT_SLOT "__imp__BitBlt@36"
#endif
extern "C" BitBltRoutine bitBltImport __asm__(BITBLT_IMPORT_SLOT);

BitBltRoutine realBitBlt = nullptr;
std::vector<Copy> copies;

BOOL WINAPI RecordCopy(HDC target, int x, int y, int width, int height, HDC source, int sourceX,
                       int sourceY, DWORD rop) {
  copies.push_back({{x, y, x + width, y + height}, {sourceX, sourceY}});
  return realBitBlt(target, x, y, width, height, source, sourceX, sourceY, rop);
}

void PatchBitBlt(BitBltRoutine routine) {
  DWORD access;
  VirtualProtect(&bitBltImport, sizeof bitBltImport, PAGE_READWRITE, &access);
  bitBltImport = routine;
  VirtualProtect(&bitBltImport, sizeof bitBltImport, access, &access);
}

}  // namespace

CopyRecord::CopyRecord() {
  realBitBlt = bitBltImport;
  copies.clear();
  PatchBitBlt(&RecordCopy);
}

CopyRecord::~CopyRecord() { PatchBitBlt(realBitBlt); }

const std::vector<Copy>& CopyRecord::Copies() const { return copies; }

int32_t RecordingHandler() {
  const hv::EventState& s = hv::eventState;
  Entry e = {};
  e.kind = EVENT;
  e.code = s.eventCode;
  e.param1 = s.eventParam1;
  e.param2 = s.eventParam2;
  e.control = s.eventControl;
  e.notify = s.eventNotify;
  e.x = s.eventX;
  e.y = s.eventY;
  e.menu = s.eventMenu;
  e.window = s.eventWindow;
  if (hv::WindowRecord* r = s.eventWindow) {
    e.hwnd = r->hwnd;
    e.surface = r->backingBitmap;
    e.attached = r->hwnd && GetWindowLongPtrA(r->hwnd, 0) == reinterpret_cast<LONG_PTR>(r);
  }
  recording.push_back(e);
  return reaction ? reaction(e) : 0;
}

void Watch(HWND window, UINT first, UINT last) {
  Hook(WH_GETMESSAGE, QueueHook);
  if (GetPropA(window, ORIGINAL_PROC)) return;
  watched.push_back({window, first, last});
  SetPropA(window, ORIGINAL_PROC,
           reinterpret_cast<HANDLE>(GetWindowLongPtrA(window, GWLP_WNDPROC)));
  SetWindowLongPtrA(window, GWLP_WNDPROC, LONG_PTR(WatchingProc));
}

void WatchHook(int type) {
  if (type == WH_CBT) Hook(WH_CBT, CbtHook);
  if (type == WH_CALLWNDPROC) Hook(WH_CALLWNDPROC, SentHook);
}

void WatchCreatedWindows(UINT first, UINT last) { created = {true, first, last}; }

void WatchWinEvents(DWORD first, DWORD last, DWORD process) {
  winEventHooks.push_back(
      SetWinEventHook(first, last, nullptr, WinEventHook, process, 0, WINEVENT_OUTOFCONTEXT));
}

void StopWatching() {
  for (HWINEVENTHOOK h : winEventHooks) UnhookWinEvent(h);
  winEventHooks.clear();
  created = {};
  for (const Watched& w : watched) {
    HWND window = w.window;
    auto original = reinterpret_cast<WNDPROC>(GetPropA(window, ORIGINAL_PROC));
    if (!IsWindow(window) || !original) continue;
    SetWindowLongPtrA(window, GWLP_WNDPROC, LONG_PTR(original));
    RemovePropA(window, ORIGINAL_PROC);
  }
  watched.clear();
  for (const HookRange& h : hookTypes) UnhookWindowsHookEx(h.hook);
  hookTypes.clear();
}

void ResetRecording() {
  recording.clear();
  reaction = nullptr;
  answer = nullptr;
}

std::vector<Entry> Entries(int kinds, int32_t code, HWND window) {
  std::vector<Entry> found;
  for (const Entry& e : recording)
    if ((e.kind & kinds) && (code == ANY || e.code == code) && (!window || e.hwnd == window))
      found.push_back(e);
  return found;
}

std::vector<Entry> EventsWithCode(int32_t code) { return Entries(EVENT, code); }

std::vector<int32_t> Codes(const std::vector<Entry>& entries) {
  std::vector<int32_t> codes;
  for (const Entry& e : entries) codes.push_back(e.code);
  return codes;
}

std::vector<RECT> PaintRects(HWND window) {
  std::vector<RECT> rects;
  for (const Entry& e : Entries(PAINT, WM_PAINT, window)) rects.push_back(e.update);
  return rects;
}

int Count(int kinds, int32_t code, HWND window) { return int(Entries(kinds, code, window).size()); }

std::string Describe(const std::vector<Entry>& entries) {
  std::string text;
  for (const Entry& e : entries)
    text += Line(KindName(e.kind),
                 {e.code, e.param1, e.param2, e.control, e.notify, e.x, e.y, Word(e.window)});
  return text;
}

::testing::AssertionResult MatchesSequence(const std::vector<Entry>& got,
                                           std::initializer_list<Expected> table,
                                           std::initializer_list<int32_t> absent) {
  std::set<int32_t> codes(absent);
  int kinds = 0;
  for (const Expected& x : table) codes.insert(x.code), kinds |= x.kinds;
  if (!table.size()) kinds = EVENT;
  std::vector<Entry> seen;
  for (const Entry& e : got)
    if (codes.count(e.code) && (e.kind & kinds)) seen.push_back(e);
  std::string expected;
  for (const Expected& x : table)
    expected += Line("", {x.code, x.param1, x.param2, x.control, x.notify, x.x, x.y,
                          x.window ? Word(x.window) : ANY});
  auto failure = [&](const std::string& why) {
    return ::testing::AssertionFailure()
           << why << "\nexpected:\n" << expected << "recorded:\n" << Describe(seen);
  };
  if (seen.size() != table.size()) return failure("the number of entries differs");
  size_t i = 0;
  for (const Expected& x : table) {
    if (!Matches(x, seen[i])) return failure("entry " + std::to_string(i) + " differs");
    ++i;
  }
  return ::testing::AssertionSuccess();
}

}  // namespace hvtest
