# The verdict of the configure step's try_compile of wrong_type.cpp: the value Print takes
# compiled, and each of those it must refuse failed on Print's own message.
# Run with -DTAKEN=<TRUE/FALSE> -DCOMPILED=<values> -DOTHERWISE=<values>.
if(NOT TAKEN)
  message(FATAL_ERROR "wrong_type.cpp did not compile with a value Print takes: the check proves nothing")
endif()
if(COMPILED)
  message(FATAL_ERROR "hv::Print compiled with values it must refuse: ${COMPILED}")
endif()
if(OTHERWISE)
  message(FATAL_ERROR "wrong_type.cpp failed to compile for another reason than Print's refusal with: ${OTHERWISE}")
endif()
