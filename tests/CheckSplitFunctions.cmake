# Fails when a split test program has a test function that no CTest entry runs.
# -DPROGRAM=<test executable> -DLISTED=<functions separated by ;>
execute_process(COMMAND ${PROGRAM} -functions OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} -functions failed (${rc})")
endif()
string(REGEX MATCHALL "[A-Za-z_0-9]+\\(\\)" found "${out}")
foreach(f ${found})
  string(REPLACE "()" "" f "${f}")
  list(FIND LISTED ${f} at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${PROGRAM}: the test function ${f} is run by no CTest entry; list it in QZ_SPLIT_")
  endif()
endforeach()
