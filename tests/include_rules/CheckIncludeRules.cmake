# Fails (FATAL_ERROR) when a source under ROOT breaks the include rules:
#  - analysis and framework/core include no Qt header;
#  - chart includes no QtWidgets header (WIDGETS_LIST: their names, comma-separated);
#  - outside src/chart (and its own tests) only the chief chart headers are
#    included;
#  - chart/scale includes nothing of canvas, axis, series or panel, directly or
#    through a chief header.
# Usage: cmake -DROOT=<tree> -DWIDGETS_LIST=<a,b,...> -P CheckIncludeRules.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT ROOT)
  message(FATAL_ERROR "ROOT is not set")
endif()

string(REPLACE "," ";" WIDGETS_HEADERS "${WIDGETS_LIST}")
set(chief_headers Chart.h ChartPanel.h ChartCanvas.h ChartEngine.h Series.h ChartClasses.h)
set(violations)

function(includes_of file out)
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  set(names)
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*" "\\1" name "${line}")
    list(APPEND names "${name}")
  endforeach()
  set(${out} "${names}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE files ${ROOT}/src/* ${ROOT}/tests/* ${ROOT}/bench/* ${ROOT}/fuzz/*)
list(FILTER files INCLUDE REGEX "\\.(h|hpp|cpp|cc)$")
foreach(file IN LISTS files)
  file(RELATIVE_PATH rel ${ROOT} ${file})
  includes_of(${file} names)
  foreach(name IN LISTS names)
    # No Qt at all below the chart.
    if(rel MATCHES "^src/(analysis|framework/core)/" AND (name MATCHES "^Q[A-Za-z]" OR name MATCHES "^qt"))
      list(APPEND violations "${rel}: includes Qt header <${name}>")
    endif()
    # No widgets in the chart.
    string(REGEX REPLACE "^QtWidgets/" "" bare "${name}")
    if(rel MATCHES "^src/chart/" AND (name MATCHES "^QtWidgets" OR bare IN_LIST WIDGETS_HEADERS))
      list(APPEND violations "${rel}: includes QtWidgets header <${name}>")
    endif()
    # Only the chief headers from outside the chart; the chart's own tests
    # look at its parts and may include them.
    string(REGEX REPLACE "^chart/" "" inner "${name}")
    if(NOT rel MATCHES "^(src|tests)/chart/" AND name MATCHES "^chart/" AND NOT inner IN_LIST chief_headers)
      list(APPEND violations "${rel}: includes \"${name}\", not a chief chart header")
    endif()
    # The pure scale layer stays below the canvas, the axes, the series and
    # the panel, also through the chief headers that gather them.
    if(rel MATCHES "^src/chart/scale/"
       AND (name MATCHES "^chart/(canvas|axis|series|panel)/" OR name MATCHES "^chart/[A-Za-z]+\\.h$"))
      list(APPEND violations "${rel}: the scale layer includes \"${name}\"")
    endif()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "include rules broken:\n  ${text}")
endif()
