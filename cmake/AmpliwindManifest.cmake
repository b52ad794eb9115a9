# The program's manifest: settings a program asks for with one call each,
# in any order, all in the one manifest a program can have.
#   hv_use_utf8(TARGET)           UTF-8 is the program's ANSI code page, so
#                                 that every text the runtime takes or gives
#                                 is UTF-8.
#   hv_use_dpi_awareness(TARGET)  the program is DPI-aware per monitor (v2):
#                                 the system draws none of its windows
#                                 stretched; the runtime scales them itself.
# A program that brings a manifest of its own adds the elements below to it
# instead of calling these.
get_property(_hv_languages GLOBAL PROPERTY ENABLED_LANGUAGES)
if(NOT "RC" IN_LIST _hv_languages)
  enable_language(RC)  # the manifest goes in as a resource
endif()

# Each setting's elements of <windowsSettings>.
set(_hv_manifest_UTF8 [[
      <activeCodePage xmlns="http://schemas.microsoft.com/SMI/2019/WindowsSettings">UTF-8</activeCodePage>
]])
# dpiAwareness for Windows 10 version 1607 and later (the first it knows of
# the list), dpiAware (per monitor) for Windows 8.1 up to then.
set(_hv_manifest_DPI_AWARE [[
      <dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true/pm</dpiAware>
      <dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2, PerMonitor</dpiAwareness>
]])

# The manifest is written when the build system is generated, from the
# settings the target holds by then; so the calls may come in any order,
# and a new configure that changes nothing rewrites and relinks nothing.
function(_hv_manifest_setting target setting)
  set_property(TARGET ${target} APPEND PROPERTY HV_MANIFEST_SETTINGS ${setting})
  get_property(started TARGET ${target} PROPERTY HV_MANIFEST)
  if(started)
    return()
  endif()
  set(manifest ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  set_property(TARGET ${target} PROPERTY HV_MANIFEST ${manifest})
  set(settings "$<TARGET_PROPERTY:${target},HV_MANIFEST_SETTINGS>")
  set(elements "")
  foreach(known UTF8 DPI_AWARE)
    # Inside a generator expression ">" and "," are written out.
    string(REPLACE ">" "$<ANGLE-R>" text "${_hv_manifest_${known}}")
    string(REPLACE "," "$<COMMA>" text "${text}")
    string(APPEND elements "$<$<IN_LIST:${known},${settings}>:${text}>")
  endforeach()
  file(GENERATE OUTPUT ${manifest} CONTENT
"<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>
<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">
  <application>
    <windowsSettings>
${elements}    </windowsSettings>
  </application>
</assembly>
")
  # 1 is the program's own manifest, 24 its resource type (RT_MANIFEST).
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_manifest.rc)
  file(CONFIGURE OUTPUT ${rc} CONTENT "1 24 \"${manifest}\"\n")
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${manifest})
  target_sources(${target} PRIVATE ${rc})
endfunction()

function(hv_use_utf8 target)
  _hv_manifest_setting(${target} UTF8)
endfunction()

function(hv_use_dpi_awareness target)
  _hv_manifest_setting(${target} DPI_AWARE)
endfunction()
