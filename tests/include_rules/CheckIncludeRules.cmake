# Fails (FATAL_ERROR) when a source under ROOT breaks the include rules:
#  - every layer of src/ includes only itself and the layers its row of
#    allowed_includes names; a layer without a row, or an include of a layer
#    without one, fails, so a new layer has to be placed before it is used;
#  - src/ includes go by their path from src/, never with "..", which would
#    slip past the layer of the path;
#  - analysis, import, recipe, framework/core and the Python module include
#    no Qt header: the module stands on them and carries no Qt;
#  - chart includes no QtWidgets header (WIDGETS_LIST: their names,
#    comma-separated);
#  - outside src/chart (and its own tests) only the chief chart headers are
#    included;
#  - the folders of chart and analysis stand in one order each
#    (folder_order, lowest first): a folder includes only itself and folders
#    before it, code sits in no folder outside the order, and folder code
#    includes nothing from the top of its layer (the chart's chief headers
#    gather the folders for the other layers, and would let a folder reach
#    the ones above it).
# Usage: cmake -DROOT=<tree> -DWIDGETS_LIST=<a,b,...> -P CheckIncludeRules.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT ROOT)
  message(FATAL_ERROR "ROOT is not set")
endif()

# Each layer of src/ and what it may include besides itself. The arrows go one
# way: no row names a layer whose row names it back.
set(allowed_includes
  "framework/core = "
  "framework/gui  = framework/core"
  "analysis       = framework/core"
  "import         = framework/core analysis"
  "recipe         = framework/core analysis import"
  "chart          = framework/core framework/gui"
  "app            = framework/core framework/gui analysis chart recipe"
  "python         = framework/core analysis import recipe"
  # The window and the batch command stand on app and all it may include,
  # and on import for the signals they open; never on each other.
  "ui             = framework/core framework/gui analysis chart recipe app import"
  "batch          = framework/core framework/gui analysis chart recipe app import"
)
# Each folder with its rank; a folder may include those of a lower rank.
# interaction and output are siblings at the top of the chart.
set(folder_order
  "chart    = base:0 style:1 scale:2 canvas:3 data:4 series:5 axis:6 panel:7 interaction:8 output:8"
  "analysis = io:0 transform:1 denoise:2 session:3"
)
set(qt_free_layers analysis import recipe framework/core python)
set(chief_headers Chart.h ChartPanel.h ChartCanvas.h ChartEngine.h Series.h ChartClasses.h)
string(REPLACE "," ";" WIDGETS_HEADERS "${WIDGETS_LIST}")

# Reads "key = a b c" rows into <prefix>_keys and <prefix>_<key> lists.
macro(read_table rows prefix)
  set(${prefix}_keys)
  foreach(row IN LISTS ${rows})
    string(REGEX MATCH "^([^ =]+) *= *(.*)$" ignored "${row}")
    list(APPEND ${prefix}_keys ${CMAKE_MATCH_1})
    string(REGEX REPLACE " +" ";" ${prefix}_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
  endforeach()
endmacro()
read_table(allowed_includes may)
read_table(folder_order ranks)

# The first folders under src/ that hold layers: an include starting with one
# of them is the project's own, anything else is a library's.
set(layer_roots)
foreach(layer IN LISTS may_keys)
  string(REGEX REPLACE "/.*" "" root "${layer}")
  list(APPEND layer_roots ${root})
endforeach()
list(REMOVE_DUPLICATES layer_roots)

# The layer a path from src/ names: framework/<part> or its first folder.
function(layer_of path out)
  # Two tests, as if() evaluates both sides of an OR and keeps the last match.
  if(path MATCHES "^(framework/[^/]+)/")
    set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
  elseif(path MATCHES "^([^/]+)/")
    set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
  else()
    set(${out} "" PARENT_SCOPE)
  endif()
endfunction()

# The rank of a folder in its layer's order, or -1 for a folder not in it.
function(folder_rank layer folder out)
  set(rank -1)
  foreach(entry IN LISTS ranks_${layer})
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

set(violations)
file(GLOB_RECURSE files ${ROOT}/src/* ${ROOT}/tests/* ${ROOT}/bench/* ${ROOT}/fuzz/*)
list(FILTER files INCLUDE REGEX "\\.(h|hpp|cpp|cc)$")
foreach(file IN LISTS files)
  file(RELATIVE_PATH rel ${ROOT} ${file})
  set(own "")
  set(folder "")
  if(rel MATCHES "^src/(.*)$")
    layer_of("${CMAKE_MATCH_1}" own)
    if(NOT own IN_LIST may_keys)
      list(APPEND violations "${rel}: its layer \"${own}\" has no row in the allow-list")
    endif()
    # Code inside a layer with a folder order sits in one of its folders.
    if(own IN_LIST ranks_keys AND rel MATCHES "^src/${own}/([^/]+)/")
      set(folder ${CMAKE_MATCH_1})
      folder_rank(${own} ${folder} rank)
      if(rank EQUAL -1)
        list(APPEND violations "${rel}: the folder ${folder} is not in the order of ${own}")
      endif()
    endif()
  endif()
  includes_of(${file} names)
  foreach(name IN LISTS names)
    layer_of("${name}" target)
    string(REGEX REPLACE "/.*" "" target_root "${name}")
    if(own AND name MATCHES "(^|/)\\.\\./")
      list(APPEND violations "${rel}: includes \"${name}\" by a relative path")
    endif()
    # The allow-list, for every include of the project's own layers.
    if(own AND target_root IN_LIST layer_roots AND NOT target STREQUAL own)
      if(NOT own IN_LIST may_keys OR NOT target IN_LIST may_${own})
        list(APPEND violations "${rel}: ${own} may not include \"${name}\" of ${target}")
      endif()
    endif()
    if(own IN_LIST qt_free_layers AND (name MATCHES "^Q[A-Za-z]" OR name MATCHES "^qt"))
      list(APPEND violations "${rel}: includes Qt header <${name}>")
    endif()
    # No widgets in the chart.
    string(REGEX REPLACE "^QtWidgets/" "" bare "${name}")
    if(own STREQUAL "chart" AND (name MATCHES "^QtWidgets" OR bare IN_LIST WIDGETS_HEADERS))
      list(APPEND violations "${rel}: includes QtWidgets header <${name}>")
    endif()
    # Only the chief headers from outside the chart; the chart's own tests
    # look at its parts and may include them.
    string(REGEX REPLACE "^chart/" "" inner "${name}")
    if(NOT rel MATCHES "^(src|tests)/chart/" AND name MATCHES "^chart/" AND NOT inner IN_LIST chief_headers)
      list(APPEND violations "${rel}: includes \"${name}\", not a chief chart header")
    endif()
    # Inside a layer with a folder order, includes go down the order only.
    if(folder AND name MATCHES "^${own}/([^/]+)(/?)")
      set(other ${CMAKE_MATCH_1})
      if(NOT CMAKE_MATCH_2)
        list(APPEND violations "${rel}: folder code includes \"${name}\" from the top of ${own}")
      elseif(NOT other STREQUAL folder)
        folder_rank(${own} ${folder} own_rank)
        folder_rank(${own} ${other} other_rank)
        if(own_rank EQUAL -1 OR other_rank EQUAL -1 OR NOT other_rank LESS own_rank)
          list(APPEND violations "${rel}: the ${folder} folder includes \"${name}\" of ${other}, not before it")
        endif()
      endif()
    endif()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "include rules broken:\n  ${text}")
endif()
