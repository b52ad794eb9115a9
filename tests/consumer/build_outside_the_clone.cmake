# Builds a copy of examples/first_program in a folder outside the clone with
# nothing but the installed package: its toolchain file and its runtime.
#   cmake -DCLONE=<the project's root> -DPREFIX=<the install> -DTOOLCHAIN=<file name>
#         -DWORK=<a folder outside the clone> -DGENERATOR=<CMake generator>
#         -P build_outside_the_clone.cmake
foreach(folder ${PREFIX} ${WORK})
  string(FIND "${folder}/" "${CLONE}/" inside)
  if(inside EQUAL 0)
    message(FATAL_ERROR "${folder} is inside the clone ${CLONE}")
  endif()
endforeach()
set(toolchain ${PREFIX}/share/ampliwind/cmake/${TOOLCHAIN})
if(NOT EXISTS ${toolchain})
  message(FATAL_ERROR "the package holds no toolchain file ${TOOLCHAIN}")
endif()

file(REMOVE_RECURSE ${WORK}/source ${WORK}/first_program)
file(COPY ${CLONE}/examples/first_program/ DESTINATION ${WORK}/source)
foreach(step "-G;${GENERATOR};-S;${WORK}/source;-B;${WORK}/first_program;-DCMAKE_TOOLCHAIN_FILE=${toolchain};-DCMAKE_PREFIX_PATH=${PREFIX};-DCMAKE_BUILD_TYPE=Release"
             "--build;${WORK}/first_program")
  execute_process(COMMAND ${CMAKE_COMMAND} ${step} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake ${step}: ${rc}")
  endif()
endforeach()

# Nothing the build used came from the clone.
string(REGEX REPLACE "([][+.*()^$?|\\])" "\\\\\\1" clone "${CLONE}/")
file(GLOB_RECURSE made ${WORK}/first_program/*.txt ${WORK}/first_program/*.cmake
     ${WORK}/first_program/*.make ${WORK}/first_program/*.rsp ${WORK}/first_program/*.ninja
     ${WORK}/first_program/Makefile)
foreach(file IN LISTS made)
  file(STRINGS ${file} lines REGEX "${clone}")
  if(lines)
    list(GET lines 0 line)
    message(FATAL_ERROR "${file} names the clone: ${line}")
  endif()
endforeach()
message(STATUS "Built ${WORK}/first_program/first_program.exe with ${toolchain}")
