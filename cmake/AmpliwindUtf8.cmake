# hv_use_utf8(TARGET): embeds a manifest in the program TARGET that makes
# UTF-8 its ANSI code page, so that every text the runtime takes or gives is
# UTF-8. A program has one manifest: one that brings its own adds the
# activeCodePage element of utf8.manifest to it instead of calling this.
get_property(_hv_languages GLOBAL PROPERTY ENABLED_LANGUAGES)
if(NOT "RC" IN_LIST _hv_languages)
  enable_language(RC)  # the manifest goes in as a resource
endif()

function(hv_use_utf8 target)
  # Found beside this file when called, wherever find_package included it.
  set(manifest ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/utf8.manifest)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_utf8.rc)
  # 1 is the program's own manifest, 24 its resource type (RT_MANIFEST);
  # written only when it changes, so a new configure relinks nothing.
  file(CONFIGURE OUTPUT ${rc} CONTENT "1 24 \"${manifest}\"\n")
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${manifest})
  target_sources(${target} PRIVATE ${rc})
endfunction()
