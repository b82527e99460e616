# Each rule of CheckIncludeRules.cmake, broken once in a small tree of its own,
# must make the check fail naming the file that breaks it; the same tree
# without the break must pass.
# Usage: cmake -DCHECK=<CheckIncludeRules.cmake> -DWORK=<scratch folder> -P IncludeRulesCatchBreaks.cmake
cmake_minimum_required(VERSION 3.25)

# An entry is a file and what it includes: "path|name|name...", a name in
# angle brackets as written, any other in quotes.
#
# The allowed tree: each layer includes every layer its row allows, so a row
# that lost an entry fails the allowed tree, and one that gained an entry lets
# its break below pass.
set(allowed
  "src/framework/core/Core.cpp|framework/core/Rounding.h|<vector>"
  "src/framework/gui/paint/Gui.cpp|framework/core/Rounding.h|framework/gui/paint/Pen.h|<QImage>"
  "src/analysis/io/Io.cpp|framework/core/Exceptions.h|analysis/io/SampleNumber.h"
  "src/analysis/session/Session.cpp|analysis/io/ReadWarning.h|analysis/transform/DyadicSignal.h|analysis/denoise/Denoise.h|analysis/session/PlotSink.h"
  "src/analysis/Gather.h|analysis/session/AnalysisSession.h|analysis/io/SampleReader.h"
  "src/import/Import.cpp|framework/core/Exceptions.h|analysis/io/SampleNumber.h|import/Samples.h"
  "src/recipe/Recipe.h|framework/core/Exceptions.h|analysis/session/AnalysisSession.h|import/SignalImport.h|<nlohmann/json.hpp>"
  "src/chart/panel/Panel.cpp|<QImage>|framework/core/Rounding.h|framework/gui/paint/Canvas.h|chart/axis/ChartAxis.h|chart/panel/ChartLayout.h"
  "src/chart/interaction/Mouse.cpp|chart/panel/CustomChart.h"
  "src/chart/Chief.h|chart/series/FastLineSeries.h|chart/output/ChartExport.h"
  "src/app/App.cpp|framework/core/Geometry.h|framework/gui/paint/Bitmap.h|analysis/session/PlotSink.h|chart/ChartEngine.h|recipe/Recipe.h"
  "src/python/Module.cpp|framework/core/Exceptions.h|analysis/denoise/Denoise.h|import/SignalImport.h|recipe/Recipe.h|<pybind11/pybind11.h>"
  "src/ui/Window.cpp|<QWidget>|framework/core/Conversions.h|framework/gui/window/ControlHost.h|analysis/io/SampleReader.h|import/TextImport.h|recipe/Recipe.h|chart/Chart.h|app/ProgramCharts.h"
  "src/batch/Batch.cpp|framework/core/Conversions.h|framework/gui/paint/Metafile.h|analysis/io/SampleWriter.h|import/SignalImport.h|recipe/Recipe.h|chart/ChartPanel.h|app/ChartsPicture.h"
  "tests/chart/AxisTest.cpp|chart/axis/ChartAxis.h"
  "tests/ui/soak/Soak.cpp|../WindowFixture.h"
)
# Each break is added to the allowed tree on its own.
set(breaks
  # A layer including one its row does not name, for each family of layers.
  "src/framework/core/Break.cpp|analysis/io/SampleReader.h"
  "src/framework/gui/window/Break.cpp|chart/Chart.h"
  "src/analysis/session/Break.cpp|recipe/Recipe.h"
  "src/analysis/io/Break.cpp|import/TextImport.h"
  "src/import/Break.cpp|recipe/Recipe.h"
  "src/recipe/Break.cpp|app/ProgramCharts.h"
  "src/chart/series/Break.cpp|analysis/session/PlotSink.h"
  "src/app/Break.cpp|ui/Unit1.h"
  "src/app/Break.h|import/SignalImport.h"
  "src/python/Break.cpp|chart/Chart.h"
  "src/ui/Break.cpp|batch/BatchRun.h"
  "src/batch/Break.cpp|ui/Unit1.h"
  # Angle brackets name a layer as well as quotes do.
  "src/import/Break.h|<recipe/Recipe.h>"
  # A layer the allow-list does not know, and an include of one.
  "src/plugins/Break.cpp|<vector>"
  "src/ui/Break2.cpp|framework/extra/Thing.h"
  "src/analysis/io/Break2.cpp|../../recipe/Recipe.h"
  # The analysis folders: down the order only, never the top of analysis,
  # never a folder outside the order.
  "src/analysis/io/Break3.cpp|analysis/session/AnalysisSession.h"
  "src/analysis/transform/Break.cpp|analysis/denoise/Denoise.h"
  "src/analysis/denoise/Break.cpp|analysis/Gather.h"
  "src/analysis/extra/Break.cpp|<vector>"
  # Qt below the chart, QtWidgets in it.
  "src/analysis/io/Break4.cpp|<QString>"
  "src/chart/panel/Break.cpp|<QWidget>"
  "src/chart/Break.cpp|<QtWidgets/QLabel>"
  # The chart's parts from outside it.
  "src/ui/Break3.cpp|chart/series/ChartSeries.h"
  "bench/bench_break.cpp|chart/axis/ChartAxis.h"
  # The chart folders: down the order only, never a chief header.
  "src/chart/scale/Break.h|chart/axis/ChartAxis.h"
  "src/chart/scale/Break.cpp|chart/ChartCanvas.h"
  "src/chart/panel/Break.h|chart/interaction/ChartMouseSettings.h"
  "src/chart/output/Break.cpp|chart/interaction/ChartMouseSettings.h"
  "src/chart/extra/Break.cpp|chart/base/ChartStrings.h"
  "src/chart/axis/Break.cpp|chart/ChartCanvas.h"
)

# Runs the check on a tree; out gets its exit code and its messages.
function(run_check tree rc_out text_out)
  execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${tree} -DWIDGETS_LIST=QWidget,QLabel -P ${CHECK}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${rc_out} ${rc} PARENT_SCOPE)
  set(${text_out} "${out}${err}" PARENT_SCOPE)
endfunction()

function(write_entry tree entry)
  string(REPLACE "|" ";" parts "${entry}")
  list(POP_FRONT parts path)
  set(text "")
  foreach(name IN LISTS parts)
    if(name MATCHES "^<")
      string(APPEND text "#include ${name}\n")
    else()
      string(APPEND text "#include \"${name}\"\n")
    endif()
  endforeach()
  file(WRITE ${tree}/${path} "${text}")
endfunction()

function(write_tree tree entries)
  file(REMOVE_RECURSE ${tree})
  foreach(entry IN LISTS entries)
    write_entry(${tree} "${entry}")
  endforeach()
endfunction()

write_tree(${WORK}/allowed "${allowed}")
run_check(${WORK}/allowed rc text)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the check rejects a tree that keeps the rules:\n${text}")
endif()

set(missed)
set(index 0)
foreach(entry IN LISTS breaks)
  set(tree ${WORK}/case${index})
  write_tree(${tree} "${allowed}")
  write_entry(${tree} "${entry}")
  run_check(${tree} rc text)
  string(REGEX REPLACE "\\|.*" "" path "${entry}")
  # The message is wrapped at spaces, so the path itself stays whole in it.
  string(FIND "${text}" "${path}:" at)
  if(rc EQUAL 0 OR at EQUAL -1)
    list(APPEND missed "${entry}")
  endif()
  math(EXPR index "${index} + 1")
endforeach()
file(REMOVE_RECURSE ${WORK})
if(missed)
  list(JOIN missed "\n  " text)
  message(FATAL_ERROR "the check lets these breaks pass, or blames another file:\n  ${text}")
endif()
