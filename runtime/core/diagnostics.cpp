// The diagnostics mode: a line in the debugger's output for each misuse of a
// runtime call, for a program's developer. Off unless the program's Debug
// build, a SetDiagnostics call or the environment turns it on.
#include "runtime/core/core.h"
#include "runtime/core/diagnostics_internal.h"

namespace hv {

int32_t diagnosticsOn = 0;

void SetDiagnostics(int32_t on) { diagnosticsOn = on != 0; }

void WriteDiagnostic(const char* call, const char* what, int32_t number) {
  char line[160];
  int32_t length = FormatBounded(line, sizeof line, "hv: %s: ", call);
  length += FormatBounded(line + length, uint32_t(sizeof line) - uint32_t(length), what, number);
  FormatBounded(line + length, uint32_t(sizeof line) - uint32_t(length), "\n");
  OutputDebugStringA(line);
}

void ReadDiagnosticsRequest() {
  char value[8];
  DWORD length = GetEnvironmentVariableA("HV_DIAGNOSTICS", value, sizeof value);
  if (length == 0) return;  // unset or empty
  diagnosticsOn = !(length == 1 && value[0] == '0');
}

}  // namespace hv
