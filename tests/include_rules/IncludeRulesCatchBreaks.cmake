# Each rule of CheckIncludeRules.cmake, broken once in a small tree of its own,
# must make the check fail; the same tree without the break must pass.
# Usage: cmake -DCHECK=<CheckIncludeRules.cmake> -DWORK=<scratch folder> -P IncludeRulesCatchBreaks.cmake
cmake_minimum_required(VERSION 3.25)

set(cases
  "src/analysis/A.cpp|#include <QString>"
  "src/framework/core/B.h|#include <QtCore/QList>"
  "src/recipe/R.cpp|#include <QByteArray>"
  "src/chart/panel/C.cpp|#include <QWidget>"
  "src/chart/D.cpp|#include <QtWidgets/QLabel>"
  "src/ui/E.cpp|#include \"chart/series/ChartSeries.h\""
  "bench/bench_f.cpp|#include \"chart/axis/ChartAxis.h\""
  "tests/app/G.cpp|#include \"chart/panel/CustomChart.h\""
  "src/chart/scale/H.h|#include \"chart/axis/ChartAxis.h\""
  "src/chart/scale/I.cpp|#include \"chart/ChartCanvas.h\""
  "src/chart/panel/J.h|#include \"chart/interaction/ChartMouseSettings.h\""
  "src/chart/output/K.cpp|#include \"chart/interaction/ChartMouseSettings.h\""
  "src/chart/extra/L.cpp|#include \"chart/base/ChartStrings.h\""
  "src/chart/axis/M.cpp|#include \"chart/ChartCanvas.h\""
  "src/import/P.cpp|#include <QFile>"
  "src/analysis/Q.cpp|#include \"import/TextImport.h\""
  "src/python/R.cpp|#include <QString>"
  "src/python/S.cpp|#include \"app/ProgramCharts.h\""
  "src/recipe/T.cpp|#include \"batch/BatchRun.h\""
  "src/recipe/U.h|#include \"chart/Chart.h\""
)
set(allowed
  "src/analysis/A.cpp|#include <vector>"
  "src/chart/panel/C.cpp|#include <QImage>"
  "src/ui/E.cpp|#include \"chart/ChartEngine.h\""
  "tests/chart/F.cpp|#include \"chart/axis/ChartAxis.h\""
  "src/chart/scale/H.h|#include \"framework/core/Rounding.h\""
  "src/chart/interaction/N.cpp|#include \"chart/panel/CustomChart.h\""
  "src/chart/axis/M.cpp|#include \"chart/axis/ChartAxis.h\""
  "src/chart/O.cpp|#include \"chart/series/FastLineSeries.h\""
  "src/import/P.cpp|#include \"analysis/SampleNumber.h\""
  "src/python/R.cpp|#include \"analysis/Denoise.h\""
  "src/recipe/T.cpp|#include \"analysis/AnalysisSession.h\""
  "src/recipe/U.h|#include \"import/SignalImport.h\""
)

function(run_check tree out)
  execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${tree} -DWIDGETS_LIST=QWidget,QLabel -P ${CHECK}
                  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
  set(${out} ${rc} PARENT_SCOPE)
endfunction()

function(write_tree tree entries)
  file(REMOVE_RECURSE ${tree})
  foreach(entry IN LISTS entries)
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 path)
    list(GET parts 1 line)
    file(WRITE ${tree}/${path} "${line}\n")
  endforeach()
endfunction()

write_tree(${WORK}/allowed "${allowed}")
run_check(${WORK}/allowed rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the check rejects a tree that keeps the rules")
endif()

set(missed)
set(index 0)
foreach(entry IN LISTS cases)
  write_tree(${WORK}/case${index} "${allowed};${entry}")
  run_check(${WORK}/case${index} rc)
  if(rc EQUAL 0)
    list(APPEND missed "${entry}")
  endif()
  math(EXPR index "${index} + 1")
endforeach()
file(REMOVE_RECURSE ${WORK})
if(missed)
  list(JOIN missed "\n  " text)
  message(FATAL_ERROR "the check lets these breaks pass:\n  ${text}")
endif()
