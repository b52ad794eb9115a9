#include "tests/support/standard_output.h"

namespace hvtest {

StandardOutput::StandardOutput() {
  char folder[MAX_PATH], name[MAX_PATH];
  if (!GetTempPathA(MAX_PATH, folder) || !GetTempFileNameA(folder, "hvo", 0, name)) return;
  file_ = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file_ == INVALID_HANDLE_VALUE) return;
  saved_ = GetStdHandle(STD_OUTPUT_HANDLE);
  SetStdHandle(STD_OUTPUT_HANDLE, file_);
}

StandardOutput::~StandardOutput() {
  if (file_ == INVALID_HANDLE_VALUE) return;
  SetStdHandle(STD_OUTPUT_HANDLE, saved_);
  CloseHandle(file_);
}

std::string StandardOutput::Take() {
  if (file_ == INVALID_HANDLE_VALUE) return "(not caught)";
  std::string text(GetFileSize(file_, nullptr), '\0');
  DWORD got = 0;
  SetFilePointer(file_, 0, nullptr, FILE_BEGIN);
  if (!text.empty()) ReadFile(file_, text.data(), DWORD(text.size()), &got, nullptr);
  text.resize(got);
  SetFilePointer(file_, 0, nullptr, FILE_BEGIN);
  SetEndOfFile(file_);
  return text;
}

}  // namespace hvtest
