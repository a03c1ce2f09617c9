# Runs PROGRAM with ARGUMENTS (comma separated) and fails unless it exits with
# EXPECTED_CODE and its standard output and error together match
# EXPECTED_OUTPUT (a regular expression).
string(REPLACE "," ";" args "${ARGUMENTS}")
execute_process(COMMAND ${PROGRAM} ${args}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
set(all "${out}${err}")
if(NOT code STREQUAL EXPECTED_CODE)
  message(FATAL_ERROR "exit code ${code}, expected ${EXPECTED_CODE}\n${all}")
endif()
if(NOT all MATCHES "${EXPECTED_OUTPUT}")
  message(FATAL_ERROR "output does not match '${EXPECTED_OUTPUT}':\n${all}")
endif()
message(STATUS "${all}")
