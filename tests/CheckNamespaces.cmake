# The namespace check reads code as the compiler does: a tree whose namespaces all name their
# folder (forward declarations, anonymous namespaces, comments and literals aside) passes;
# each planted form of a namespace outside its folder, and each form it cannot judge, is named
# with its file and line, and nothing else is.
# -DCHECK=<.ci/check-namespaces> -DWORK=<an empty folder of the build>
file(REMOVE_RECURSE ${WORK})

string(CONCAT good_core
  "#pragma once\n"
  "#include \"platform/Item.h\" // namespace reports {\n"
  "namespace platform {\n"
  "class Item;\n"
  "}\n"
  "namespace tables {\n"
  "template <typename T> class Box;\n"
  "enum class Kind : int;\n"
  "struct Row;\n"
  "namespace sub { union Cell; }\n"
  "}\n"
  "/* namespace reports {\n"
  "   int hidden; */\n"
  "namespace core {\n"
  "const char *text = \"namespace reports { int x; }\";\n"
  "const char brace = '{';\n"
  "int thousand = 1'000;\n"
  "namespace inner {\n"
  "int depth;\n"
  "}\n"
  "}\n"
  "namespace core::detail {\n"
  "using namespace platform;\n"
  "void f() { namespace pf = platform; }\n"
  "}\n"
  "namespace core::inline v1 {\n"
  "}\n"
  "namespace [[deprecated]] core {\n"
  "}\n"
  "namespace\n"
  "core\n"
  "{\n"
  "}\n"
  "namespace {\n"
  "int local;\n"
  "}\n"
  "extern \"C\" {\n"
  "int cName;\n"
  "}\n")
file(WRITE ${WORK}/src/core/Good.h "${good_core}")
file(WRITE ${WORK}/src/main.cpp "namespace app {\nint run();\n}\nint main() { return 0; }\n")
file(WRITE ${WORK}/src/CMakeLists.txt "namespace reports {\n")

function(run_check expect_rc expect_out)
  execute_process(COMMAND ${CHECK} ${WORK}/src OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL expect_rc OR NOT out STREQUAL expect_out)
    message(FATAL_ERROR "check-namespaces: expected exit ${expect_rc} with\n${expect_out}\n"
                        "got exit ${rc} with\n${out}${err}")
  endif()
endfunction()

run_check(0 "")

string(CONCAT bad_core
  "namespace reports {\n"                            # 1: a namespace of its own
  "void print();\n"
  "}\n"
  "namespace tables {\n"                             # 4: a function in another folder's
  "int count();\n"
  "}\n"
  "namespace tables {\n"                             # 7: a class defined there
  "class Box {};\n"
  "}\n"
  "namespace\n"                                      # 10: written over three lines
  "  reports\n"
  "{\n"
  "int lines;\n"
  "}\n"
  "namespace reports::detail {\n"                    # 15: a nested name
  "int nested;\n"
  "}\n"
  "namespace {\n"
  "namespace helpers {\n"                            # 19: named inside an anonymous one
  "int help;\n"
  "}\n"
  "}\n"
  "namespace rp = core;\n"                           # 23: an alias outside the folder
  "#define OPEN namespace reports {\n"               # 24: a macro that opens one
  "#define OPEN2 \\\n"
  "    namespace reports {\n"                        # 26: the same, continued
  "namespace [[deprecated]] reports {\n"             # 27: with an attribute
  "int old;\n"
  "}\n"
  "extern \"C\" {\n"
  "namespace reports {\n"                            # 31: inside a linkage block
  "int linked;\n"
  "}\n"
  "}\n"
  "namespace reports {\n"                            # 35: named once, with what it nests
  "namespace inner {\n"
  "int deep;\n"
  "}\n"
  "}\n"
  "namespace tables { using namespace core; }\n")   # 40: a directive is no declaration
file(WRITE ${WORK}/src/core/Bad.cpp "${bad_core}")
file(WRITE ${WORK}/src/main.cpp "namespace core {\nint run();\n}\nint main() { return 0; }\n")
file(CREATE_LINK ${WORK}/nowhere.h ${WORK}/src/core/Gone.h SYMBOLIC)

string(CONCAT expected
  "core/Bad.cpp:1: namespace reports is not core nor inside it\n"
  "core/Bad.cpp:4: namespace tables is not core nor inside it\n"
  "core/Bad.cpp:7: namespace tables is not core nor inside it\n"
  "core/Bad.cpp:10: namespace reports is not core nor inside it\n"
  "core/Bad.cpp:15: namespace reports::detail is not core nor inside it\n"
  "core/Bad.cpp:19: namespace (anonymous)::helpers is not core nor inside it\n"
  "core/Bad.cpp:23: namespace alias rp is not core nor inside it\n"
  "core/Bad.cpp:24: a directive that names namespace cannot be judged\n"
  "core/Bad.cpp:26: a directive that names namespace cannot be judged\n"
  "core/Bad.cpp:27: namespace reports is not core nor inside it\n"
  "core/Bad.cpp:31: namespace reports is not core nor inside it\n"
  "core/Bad.cpp:35: namespace reports is not core nor inside it\n"
  "core/Bad.cpp:40: namespace tables is not core nor inside it\n"
  "core/Gone.h: cannot be read\n"
  "main.cpp:1: namespace core is not app nor inside it\n")
run_check(1 "${expected}")
