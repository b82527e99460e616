# Fails (FATAL_ERROR) when a source under ROOT breaks the include rules:
#  - analysis, import, recipe and framework/core include no Qt header;
#  - analysis includes nothing of import, which is built on it;
#  - recipe stands on analysis and import: nothing of chart, app, ui, batch
#    or framework/gui, so the window, the batch and Python share its replay;
#  - the Python module includes no Qt header and nothing of the layers above
#    analysis and import (chart, app, ui, batch);
#  - chart includes no QtWidgets header (WIDGETS_LIST: their names, comma-separated);
#  - outside src/chart (and its own tests) only the chief chart headers are
#    included;
#  - the chart's folders stand in one order (chart_folders, lowest first;
#    interaction and output are siblings at the top): a folder includes only
#    folders before it, and never a folder not in the order;
#  - folder code includes no chief header: those gather the folders for the
#    other layers, and would let a folder reach the ones above it.
# Usage: cmake -DROOT=<tree> -DWIDGETS_LIST=<a,b,...> -P CheckIncludeRules.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT ROOT)
  message(FATAL_ERROR "ROOT is not set")
endif()

string(REPLACE "," ";" WIDGETS_HEADERS "${WIDGETS_LIST}")
set(chief_headers Chart.h ChartPanel.h ChartCanvas.h ChartEngine.h Series.h ChartClasses.h)
# Each folder with its rank; a folder may include those of a lower rank.
set(chart_folders base:0 style:1 scale:2 canvas:3 data:4 series:5 axis:6 panel:7 interaction:8 output:8)
set(violations)

# The rank of a chart folder, or -1 for a folder not in the order.
function(folder_rank folder out)
  set(rank -1)
  foreach(entry IN LISTS chart_folders)
    if(entry MATCHES "^${folder}:([0-9]+)$")
      set(rank ${CMAKE_MATCH_1})
    endif()
  endforeach()
  set(${out} ${rank} PARENT_SCOPE)
endfunction()

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
    if(rel MATCHES "^src/(analysis|import|recipe|framework/core)/" AND (name MATCHES "^Q[A-Za-z]" OR name MATCHES "^qt"))
      list(APPEND violations "${rel}: includes Qt header <${name}>")
    endif()
    if(rel MATCHES "^src/analysis/" AND name MATCHES "^import/")
      list(APPEND violations "${rel}: includes \"${name}\" of import, the layer above it")
    endif()
    if(rel MATCHES "^src/recipe/" AND name MATCHES "^(chart|app|ui|batch|python|framework/gui)/")
      list(APPEND violations "${rel}: the recipe layer includes \"${name}\" of a layer above it")
    endif()
    # The Python module stands on analysis and import alone.
    if(rel MATCHES "^src/python/" AND (name MATCHES "^Q[A-Za-z]" OR name MATCHES "^qt"
                                       OR name MATCHES "^(chart|app|ui|batch|framework/gui)/"))
      list(APPEND violations "${rel}: the Python module includes <${name}>")
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
    # Inside the chart, includes go down the folder order only.
    if(rel MATCHES "^src/chart/([^/]+)/")
      set(folder ${CMAKE_MATCH_1})
      if(name MATCHES "^chart/[^/]+$")
        list(APPEND violations "${rel}: folder code includes the chief header \"${name}\"")
      elseif(name MATCHES "^chart/([^/]+)/" AND NOT CMAKE_MATCH_1 STREQUAL folder)
        set(target ${CMAKE_MATCH_1})
        folder_rank(${folder} own)
        folder_rank(${target} other)
        if(own EQUAL -1 OR other EQUAL -1 OR NOT other LESS own)
          list(APPEND violations "${rel}: the ${folder} folder includes \"${name}\" of ${target}, not before it")
        endif()
      endif()
    endif()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "include rules broken:\n  ${text}")
endif()
