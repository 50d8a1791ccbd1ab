# Installs the build into a fresh folder with `cmake --install` and checks what
# a teacher's system receives: the programs, the desktop entry, the icons at
# every size, the user guide with every file it links to, the sample templates,
# the compressed manual pages, the Debian copyright and changelog, and the
# AppStream metadata, which appstreamcli must accept when it is installed.
# Run by CTest with -DBUILD_DIR=... -DPREFIX=... -DTEMPLATES_DIR=...

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
  RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${errors}")
endif()

set(failures "")
macro(fail text)
  string(APPEND failures "\n  ${text}")
endmacro()

foreach(file bin/vellanor bin/vellanor-inspect share/applications/vellanor.desktop
             share/icons/hicolor/scalable/apps/vellanor.svg share/vellanor/aide/index.html)
  if(NOT EXISTS "${PREFIX}/${file}")
    fail("missing ${file}")
  endif()
endforeach()

# Each icon is a PNG of its folder's size (width and height from its header).
foreach(size 16 22 24 32 48 64 128 256)
  set(png "${PREFIX}/share/icons/hicolor/${size}x${size}/apps/vellanor.png")
  if(EXISTS "${png}")
    file(READ "${png}" header HEX LIMIT 24)
    string(SUBSTRING "${header}" 0 16 signature)
    string(SUBSTRING "${header}" 32 16 dimensions)
    math(EXPR hex_size "${size}" OUTPUT_FORMAT HEXADECIMAL)
    string(REPLACE "0x" "" hex_size "${hex_size}")
    string(LENGTH "${hex_size}" digits)
    math(EXPR pad "8 - ${digits}")
    string(REPEAT "0" ${pad} zeros)
    set(side "${zeros}${hex_size}")
    if(NOT signature STREQUAL "89504e470d0a1a0a")
      fail("the ${size} px icon is not a PNG")
    elseif(NOT dimensions STREQUAL "${side}${side}")
      fail("the ${size} px icon has another size")
    endif()
  else()
    fail("missing the ${size} px icon")
  endif()
endforeach()

# The desktop entry starts the program in its data folder, with its icon.
file(READ "${PREFIX}/share/applications/vellanor.desktop" entry)
foreach(line "Exec=vellanor --desktop" "Icon=vellanor" "Categories=Education;" "Type=Application")
  string(FIND "${entry}" "\n${line}" at)
  if(at EQUAL -1)
    fail("the desktop entry lacks \"${line}\"")
  endif()
endforeach()

# Every page and picture the guide refers to is installed with it.
file(READ "${PREFIX}/share/vellanor/aide/index.html" guide)
string(REGEX MATCHALL "(src|href)=\"[^\"#:]+\"" links "${guide}")
foreach(link IN LISTS links)
  string(REGEX REPLACE "^(src|href)=\"([^\"]+)\"$" "\\2" target "${link}")
  if(NOT EXISTS "${PREFIX}/share/vellanor/aide/${target}")
    fail("the guide links to a missing ${target}")
  endif()
endforeach()

if(IS_DIRECTORY "${TEMPLATES_DIR}")
  file(GLOB samples "${PREFIX}/share/vellanor/Template/*")
  if(NOT samples)
    fail("no sample report template installed")
  endif()
endif()

# The manual pages and the changelog are gzip files; the copyright file is not.
foreach(file man/man1/vellanor.1.gz man/man1/vellanor-inspect.1.gz
             man/man1/vellanor-inspect-report.1.gz doc/vellanor/changelog.Debian.gz)
  if(EXISTS "${PREFIX}/share/${file}")
    file(READ "${PREFIX}/share/${file}" magic HEX LIMIT 2)
    if(NOT magic STREQUAL "1f8b")
      fail("${file} is not compressed with gzip")
    endif()
  else()
    fail("missing share/${file}")
  endif()
endforeach()
set(copyright "${PREFIX}/share/doc/vellanor/copyright")
if(EXISTS "${copyright}")
  file(STRINGS "${copyright}" first LIMIT_COUNT 1)
  if(NOT first STREQUAL "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/")
    fail("the copyright file is not machine-readable")
  endif()
else()
  fail("missing share/doc/vellanor/copyright")
endif()

set(metainfo "${PREFIX}/share/metainfo/org.example.vellanor.metainfo.xml")
if(NOT EXISTS "${metainfo}")
  fail("missing the AppStream metadata")
else()
  find_program(APPSTREAMCLI appstreamcli)
  if(APPSTREAMCLI)
    execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net "${metainfo}"
      RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
    if(NOT result EQUAL 0)
      fail("appstreamcli refuses the AppStream metadata:\n${report}")
    endif()
  else()
    message(STATUS "appstreamcli is not installed: the AppStream metadata is not validated")
  endif()
endif()

if(failures)
  message(FATAL_ERROR "The installation is incomplete:${failures}")
endif()
message(STATUS "Installation complete in ${PREFIX}")
