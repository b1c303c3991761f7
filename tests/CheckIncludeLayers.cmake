# The include-order check judges a path where the compiler finds it: planted includes that
# reach a higher folder through "." or ".." must each be refused, naming the file and line,
# while the same tree without them passes. What it cannot judge it refuses: a symbolic link,
# a file of another kind, and an include not written as a plain quoted or angled path on one
# line; a directive inside a comment or a string is none.
# -DCHECK=<.ci/check-include-layers> -DWORK=<an empty folder of the build>
file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/src/CMakeLists.txt "add_library(x STATIC)\n")
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
string(REPLACE ";" "\n" good_text "${good}")
file(WRITE ${WORK}/src/link/Port.cpp "${good_text}\n")

# Directives the compiler never sees: each would be refused if the check read it as one.
file(WRITE ${WORK}/src/link/Quiet.cpp [=[
#define HDR "app/frmMain.h"
// #include HDR
/* #include HDR */
/*
#include HDR
*/
const char *comment = "/* #include HDR";
const char *raw = R"x(
#include HDR
)x";
const int big = 1'000; /* a quote: '
#include HDR
*/
const char quote = '"';
## include HDR
#error #include HDR don't
]=])

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

# What the check cannot read. Each unreadable include follows a line that would hide it from
# a reader that took a string, a raw string, a character literal or a header name for a
# comment's start.
file(WRITE ${WORK}/src/link/Port.cpp "${good_text}\n")
file(WRITE ${WORK}/src/link/Forms.cpp [=[
#define HDR "app/frmMain.h"
#include HDR
const char *a = "/*";
#/**/include "app/frmMain.h"
const char *b = R"(/*)";
#include /*x*/ "app/frmMain.h"
const char c = '"'; const char *t = "/*";
#include "core/Calc.h" // beside a comment
#include \
  "app/frmMain.h"
#inc\
lude "app/frmMain.h"
%:include "app/frmMain.h"
#include_next <app/frmMain.h>
#/*
*/include "app/frmMain.h"
int d = 1; /*
*/ #include "app/frmMain.h"
#include <a/*b.h>
#include HDR
#include "core/Calc.h"
]=])
file(WRITE ${WORK}/src/link/Table.inc "1\n")
file(WRITE ${WORK}/src/link/CMakeLists.txt "\n")
file(WRITE ${WORK}/src/core/notes.txt "\n")
file(CREATE_LINK ../app/frmMain.h ${WORK}/src/link/Main.h SYMBOLIC)
file(CREATE_LINK ../app ${WORK}/src/link/up SYMBOLIC)
execute_process(COMMAND mkfifo ${WORK}/src/link/Pipe.h RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "mkfifo: ${rc}")
endif()

string(CONCAT expected
  "core/notes.txt: a file of another kind: the check reads only .cpp and .h files\n"
  "link/CMakeLists.txt: a file of another kind: the check reads only .cpp and .h files\n"
  "link/Main.h: a symbolic link: the check follows no links\n"
  "link/Pipe.h: not a regular file: the check reads only .cpp and .h files\n"
  "link/Table.inc: a file of another kind: the check reads only .cpp and .h files\n"
  "link/up: a symbolic link: the check follows no links\n"
  "link/Forms.cpp:2: an include not written as #include \"path\" or #include <path>: the check cannot read it\n"
  "link/Forms.cpp:4: an include written with a comment: the check cannot read it\n"
  "link/Forms.cpp:6: an include written with a comment: the check cannot read it\n"
  "link/Forms.cpp:8: an include written with a comment: the check cannot read it\n"
  "link/Forms.cpp:9: an include split over lines: the check cannot read it\n"
  "link/Forms.cpp:11: an include split over lines: the check cannot read it\n"
  "link/Forms.cpp:13: an include not written as #include \"path\" or #include <path>: the check cannot read it\n"
  "link/Forms.cpp:14: an include not written as #include \"path\" or #include <path>: the check cannot read it\n"
  "link/Forms.cpp:15: an include written with a comment: the check cannot read it\n"
  "link/Forms.cpp:18: an include not written as #include \"path\" or #include <path>: the check cannot read it\n"
  "link/Forms.cpp:20: an include not written as #include \"path\" or #include <path>: the check cannot read it\n")
run_check(1 "${expected}")
