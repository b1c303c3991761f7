# The include-order check judges a path where the compiler finds it: planted includes that
# reach a higher folder through "." or ".." must each be refused, naming the file and line,
# while the same tree without them passes.
# -DCHECK=<.ci/check-include-layers> -DWORK=<an empty folder of the build>
file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/src/app/frmMain.h "#pragma once\n")
file(WRITE ${WORK}/src/core/Calc.h "#pragma once\n")
file(WRITE ${WORK}/src/link/Port.h "#pragma once\n")
file(WRITE ${WORK}/src/main.cpp "#include \"app/frmMain.h\"\n")

set(good
  "#include \"link/Port.h\""
  "#include \"Port.h\""
  "#include \"link/./Port.h\""
  "#include \"../core/Calc.h\""
  "#include <./core/Calc.h>"
  "#include \"app/../core/Calc.h\""
  "#include <QtCore/QString>"
  "#include <cmath>")
string(REPLACE ";" "\n" text "${good}")
file(WRITE ${WORK}/src/link/Port.cpp "${text}\n")

function(run_check expect_rc expect_out)
  execute_process(COMMAND ${CHECK} ${WORK}/src OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL expect_rc OR NOT out STREQUAL expect_out)
    message(FATAL_ERROR "check-include-layers: expected exit ${expect_rc} with\n${expect_out}\n"
                        "got exit ${rc} with\n${out}${err}")
  endif()
endfunction()

run_check(0 "")

set(planted
  "#include \"link/../app/frmMain.h\""
  "#include <./app/frmMain.h>"
  "#include \"../app/frmMain.h\""
  "#include <core/../app/frmMain.h>"
  "#include \"./../app/frmMain.h\""
  "#include \"../../src/app/frmMain.h\""
  "#include \"../../elsewhere/x.h\"")
string(REPLACE ";" "\n" text "${good};${planted}")
file(WRITE ${WORK}/src/link/Port.cpp "${text}\n")

string(CONCAT expected
  "link/Port.cpp:9: includes \"link/../app/frmMain.h\" (app/frmMain.h): link may not include app\n"
  "link/Port.cpp:10: includes \"./app/frmMain.h\" (app/frmMain.h): link may not include app\n"
  "link/Port.cpp:11: includes \"../app/frmMain.h\" (app/frmMain.h): link may not include app\n"
  "link/Port.cpp:12: includes \"core/../app/frmMain.h\" (app/frmMain.h): link may not include app\n"
  "link/Port.cpp:13: includes \"./../app/frmMain.h\" (app/frmMain.h): link may not include app\n"
  "link/Port.cpp:14: includes \"../../src/app/frmMain.h\" (app/frmMain.h): link may not include app\n"
  "link/Port.cpp:15: includes \"../../elsewhere/x.h\": it lies outside the source folder\n")
run_check(1 "${expected}")
