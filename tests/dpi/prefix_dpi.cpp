#include "tests/dpi/prefix_dpi.h"

#include <cstdlib>

namespace dpitest {
namespace {

constexpr char FONTS_KEY[] =
    "System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts";
constexpr char LOG_PIXELS[] = "LogPixels";
// A child that hangs is ended, so the parent test reports instead of timing out.
constexpr DWORD CHILD_LIMIT_MS = 150000;

HKEY OpenFontsKey() {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, FONTS_KEY, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return nullptr;
  return key;
}

// Inherited by the child, so its output is ours.
HANDLE Inheritable(DWORD which) {
  HANDLE handle = GetStdHandle(which);
  if (handle && handle != INVALID_HANDLE_VALUE)
    SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
  return handle;
}

std::string OwnPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  return path;
}

}  // namespace

int AskedDpi() {
  const char* value = std::getenv(DPI_VARIABLE);
  return value ? std::atoi(value) : 0;
}

std::string ReferencePath() {
  const char* value = std::getenv(REFERENCE_VARIABLE);
  return value ? value : "";
}

bool DpiSetForNewProcesses() {
  return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

DWORD ReadLogPixels() {
  HKEY key = OpenFontsKey();
  if (!key) return 0;
  DWORD value = 0, type = 0, size = sizeof value;
  LONG result = RegQueryValueExA(key, LOG_PIXELS, nullptr, &type,
                                 reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  return result == ERROR_SUCCESS && type == REG_DWORD ? value : 0;
}

bool WriteLogPixels(DWORD dpi) {
  HKEY key = OpenFontsKey();
  if (!key) return false;
  LONG result = RegSetValueExA(key, LOG_PIXELS, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                               sizeof dpi);
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

PrefixDpi::PrefixDpi(int dpi) : set_(WriteLogPixels(DWORD(dpi))) {}

PrefixDpi::~PrefixDpi() { WriteLogPixels(STANDARD_DPI); }

DWORD RunAtDpi(int dpi, const std::string& filter, const std::string& reference,
               std::string* failure) {
  std::string command = '"' + OwnPath() + "\" --gtest_color=no --gtest_filter=" + filter;
  SetEnvironmentVariableA(DPI_VARIABLE, std::to_string(dpi).c_str());
  SetEnvironmentVariableA(REFERENCE_VARIABLE, reference.c_str());
  STARTUPINFOA startup = {sizeof startup};
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = Inheritable(STD_INPUT_HANDLE);
  startup.hStdOutput = Inheritable(STD_OUTPUT_HANDLE);
  startup.hStdError = Inheritable(STD_ERROR_HANDLE);
  fflush(stdout);
  PROCESS_INFORMATION process = {};
  BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                nullptr, &startup, &process);
  SetEnvironmentVariableA(DPI_VARIABLE, nullptr);
  SetEnvironmentVariableA(REFERENCE_VARIABLE, nullptr);
  if (!started) {
    *failure = "could not start " + command;
    return DWORD(-1);
  }
  DWORD code = DWORD(-1);
  if (WaitForSingleObject(process.hProcess, CHILD_LIMIT_MS) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &code);
  } else {
    *failure = "still running after " + std::to_string(CHILD_LIMIT_MS / 1000) + " s: ended";
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, INFINITE);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

}  // namespace dpitest
