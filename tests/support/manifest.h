// What the program's own manifest says, as the system read it: the value
// of one of its windowsSettings elements, "" when it has none.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <initializer_list>
#include <string>

namespace hvtest {

struct ManifestElement {
  const wchar_t* xmlNamespace;
  const wchar_t* name;
};
constexpr ManifestElement ACTIVE_CODE_PAGE = {
    L"http://schemas.microsoft.com/SMI/2019/WindowsSettings", L"activeCodePage"};
constexpr ManifestElement DPI_AWARE = {L"http://schemas.microsoft.com/SMI/2005/WindowsSettings",
                                       L"dpiAware"};
constexpr ManifestElement DPI_AWARENESS = {L"http://schemas.microsoft.com/SMI/2016/WindowsSettings",
                                           L"dpiAwareness"};

inline std::string ManifestSetting(const ManifestElement& element) {
  wchar_t value[128] = {};
  SIZE_T length = 0;
  if (!QueryActCtxSettingsW(0, nullptr, element.xmlNamespace, element.name, value, 128, &length))
    return "";
  std::string ascii;
  for (const wchar_t* c = value; *c; ++c) ascii += char(*c);
  return ascii;
}

// The program carries a manifest whose elements have these values.
struct ExpectedSetting {
  ManifestElement element;
  const char* value;
};
inline void ExpectManifest(std::initializer_list<ExpectedSetting> table) {
  // The program's manifest is resource 1 of type RT_MANIFEST.
  ASSERT_TRUE(FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)));
  for (const ExpectedSetting& row : table)
    EXPECT_EQ(ManifestSetting(row.element), row.value) << "element " << row.element.name;
}

}  // namespace hvtest
