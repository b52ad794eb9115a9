// Runtime services: process start and stop, the private heap, the lock,
// temporary strings, lists, numbers and strings, the centred message box.
#pragma once

#include <windows.h>
#include <cstdint>

namespace hv {

struct WindowRecord;

// ---- Lifecycle ---------------------------------------------------------
void RuntimeStartup();
void RuntimeShutdown();
void RuntimeLock();
void RuntimeUnlock();

typedef void (*ExitRoutine)(void* argument);
void AddExitCallback(ExitRoutine routine, void* argument);

// Loads the start-up control word of the floating-point unit: 64-bit
// significand, round to nearest (ties to even), all exceptions masked.
// Call it first, in 32-bit and 64-bit programs alike: the number and text
// conversions, SquareRoot and PowerOf compute on the x87 unit, which
// Windows starts at a 53-bit significand (0x027F), and their results, as
// NumberToText writes them, are those of the 64-bit one.
constexpr uint16_t FPU_STARTUP_CONTROL = 0x033F;
void LoadStartupControlWord();

// ---- Diagnostics -----------------------------------------------------------
// Off by default: a misused call (drawing on a closed window, a control
// identifier that names nothing, an unknown kind or type code...) does what
// it always does and tells nobody. On, each misuse also writes one line
// naming the call and what was wrong, "hv: DrawRect: the window record is
// closed", to the debugger's output (OutputDebugStringA; under Wine, run
// with WINEDEBUG=+debugstr). Results are the same either way. On in a
// program's Debug build (the runtime's CMake package defines HV_DIAGNOSTICS
// there), and where the environment variable HV_DIAGNOSTICS is set when
// RuntimeStartup runs: "0" turns it off, anything else on.
void SetDiagnostics(int32_t on);
#ifdef HV_DIAGNOSTICS
namespace {
[[maybe_unused]] const struct DiagnosticsInThisBuild {
  DiagnosticsInThisBuild() { SetDiagnostics(1); }
} diagnosticsInThisBuild;
}  // namespace
#endif

// ---- Heap ----------------------------------------------------------------
// Every block is zero-filled and 3 bytes longer than requested.
HANDLE RuntimeHeap();                       // 0 before RuntimeStartup
void* AllocateBlock(uint32_t size);
void* ResizeBlock(void* block, uint32_t size);
void FreeBlock(void* block);

// Type codes: what kind of value follows, in PrintText's items and for
// AllocateTyped's elements; TypeSizeTable gives their sizes in bytes.
enum TypeCode : int32_t {
  TC_STRING = 0, TC_CHAR = 1, TC_INT = 2, TC_FLOAT = 3, TC_RECORD = 9,
  TC_UINT16 = 13, TC_DOUBLE = 14, TC_BYTE = 15, TC_INT64 = 17, TC_UINT64 = 18,
  TC_UINT = 19, TC_INT16 = 30, TC_CHAR8 = 31, TC_WSTRING = 32,
};
constexpr int TYPE_CODE_COUNT = 35;
extern const uint32_t TypeSizeTable[TYPE_CODE_COUNT];
void* AllocateTyped(int32_t typeCode, uint32_t count);

// ---- Temporary strings ---------------------------------------------------
constexpr int TEMP_STRING_SLOTS = 1000;
extern int32_t tempTop;                     // next free slot, 0 .. 1000
void PushTempString(void* block);
void PopTempStrings(int32_t n);
void ClearTempStrings();

// ---- Lists -----------------------------------------------------------------
// A head node followed by data nodes; every node is a 12-byte heap block.
struct ListNode {
  ListNode* next;
  ListNode* prev;
  void* data;
};
typedef ListNode RuntimeList;               // the head node

RuntimeList* ListCreate();
void* ListInsertAfter(ListNode* node, void* data);  // the new node; data when node is null
ListNode* ListAppend(RuntimeList* list, void* data);
ListNode* ListFirst(RuntimeList* list);
ListNode* ListNext(ListNode* node);
void* ListData(ListNode* node);
void ListDestroy(RuntimeList* list, int32_t freeData);

// ---- Numbers -----------------------------------------------------------------
constexpr int32_t MAX_PRECISION = 40;
extern int32_t floatPrecision;              // decimals of floating values, initially 2
void SetPrecision(int32_t n);
char* NumberToText(double x);               // new heap text, owned by the caller
double TextToNumber(const char* text);
double SquareRoot(double x);
double PowerOf(double base, double exponent);
double AbsValue(double x);
int64_t TruncateToInt64(double x);          // toward zero; out of range gives -2^63
int32_t RoundToInt32(double x);             // nearest, ties to even; out of range gives -2^31

// ---- Strings -------------------------------------------------------------------
char* CopyText(char* destination, const char* source);
int32_t TextLength(const char* text);
char* UpperCopy(const char* text);          // new heap text, owned by the caller

// The system C runtime's formatter, bounded: never writes past size bytes,
// always terminates, returns the number of characters written. A text too
// long is cut; a call the formatter fails on (a wide string it cannot
// convert) writes the empty text.
int32_t FormatBounded(char* buffer, uint32_t size, const char* format, ...);

// ---- Message box -----------------------------------------------------------------
int32_t ShowMessage(WindowRecord* owner, const char* text, const char* caption, uint32_t flags);
LRESULT CALLBACK CenterBoxHook(int code, WPARAM wparam, LPARAM lparam);

}  // namespace hv
