# Compiler settings shared by every target of the project.

add_library(vellanor_options INTERFACE)
target_compile_options(vellanor_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
  -Wimplicit-fallthrough -Wcast-qual -Wformat=2)
if(VELLANOR_WERROR)
  target_compile_options(vellanor_options INTERFACE -Werror)
endif()

# The hardening a distribution's package is built with (`make package`): the
# checked variants of the C library's string and memory functions, stack
# canaries, position-independent executables and a read-only relocation table
# bound at start-up. The test builds keep the compiler's defaults.
if(VELLANOR_HARDEN)
  include(CheckPIESupported)
  check_pie_supported(LANGUAGES CXX)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  target_compile_options(vellanor_options INTERFACE
    -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2 -fstack-protector-strong -fstack-clash-protection
    -Werror=format-security)
  target_link_options(vellanor_options INTERFACE -Wl,-z,relro -Wl,-z,now)
endif()

if(VELLANOR_SANITIZE)
  set(_vellanor_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_compile_options(vellanor_options INTERFACE ${_vellanor_san})
  target_link_options(vellanor_options INTERFACE ${_vellanor_san})
endif()

# Adds a static library for one layer of src/, from every source file of its
# folder and of its subfolders that are not libraries of their own.
function(vellanor_layer name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB_RECURSE _sources CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  # A subfolder with a CMakeLists.txt of its own is a library of its own.
  file(GLOB_RECURSE _own_lists CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  foreach(_list ${_own_lists})
    get_filename_component(_dir ${_list} DIRECTORY)
    foreach(_source ${_sources})
      string(FIND "${_source}" "${_dir}/" _at)
      if(_at EQUAL 0)
        list(REMOVE_ITEM _sources ${_source})
      endif()
    endforeach()
  endforeach()
  set(_compiled ${_sources})
  list(FILTER _compiled INCLUDE REGEX "\\.(cpp|qrc)$")
  if(_compiled)
    add_library(${name} STATIC ${_sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC vellanor_options ${ARG_DEPENDS})
  else()
    # A layer that holds no code yet still takes part in the link graph.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE vellanor_options ${ARG_DEPENDS})
  endif()
endfunction()

if(VELLANOR_FUZZ_ONLY)
  # Coverage instrumentation for libFuzzer, with the memory and UB checks on.
  target_compile_options(vellanor_options INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(vellanor_options INTERFACE -fsanitize=address,undefined)
endif()
