// The diagnostics mode's one line per misuse; not part of the runtime's interface.
#pragma once

#include <cstdint>

namespace hv {

extern int32_t diagnosticsOn;

// Writes "hv: CALL: WHAT" as one line to the debugger's output; `what` may
// hold one "%d", replaced by number.
void WriteDiagnostic(const char* call, const char* what, int32_t number);

// Called on failure paths only: off, a misuse costs one test of the flag.
inline void Diagnose(const char* call, const char* what, int32_t number = 0) {
  if (diagnosticsOn) WriteDiagnostic(call, what, number);
}

// For `if (!record->hwnd) return RefuseClosed("DrawRect");`: the call's
// result on a closed record, with the line.
inline int32_t RefuseClosed(const char* call) {
  Diagnose(call, "the window record is closed");
  return 0;
}

// The runtime start reads HV_DIAGNOSTICS: "0" turns the mode off, any other
// value on; unset or empty leaves it as the program's build or a call set it.
void ReadDiagnosticsRequest();

}  // namespace hv
