cmake_minimum_required(VERSION 3.25)
# Writes the gzipped man page of one program with help2man.
#   PROGRAM            the program, run with --help and --version
#   INCLUDE            its .h2m file: NAME and the hand-written sections
#   OUTPUT             the page, NAME.1.gz
#   HELP2MAN, GZIP     the tools
#   BUILD_DIR          the build folder, which must not show in the page
#   BUNDLED_TEMPLATES  the build tree's template folder, which torvio-gen's
#                      --help names as its default

# The GUI program prints its help without a display; a fixed locale keeps
# the text the same on every machine.
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{LC_ALL} C.UTF-8)

string(REGEX REPLACE "\\.gz$" "" roff "${OUTPUT}")
execute_process(
  COMMAND "${HELP2MAN}" --no-info --section=1 "--include=${INCLUDE}" "--output=${roff}"
          "${PROGRAM}"
  RESULT_VARIABLE code ERROR_VARIABLE errors)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "help2man failed for ${PROGRAM} (${code}):\n${errors}")
endif()

# The default template folder is found next to the running program: in the
# build tree that is bin/Templates, once installed PREFIX/share/torvio/Templates.
file(READ "${roff}" page)
function(roff_text text out)
  string(REPLACE "-" "\\-" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()
roff_text("${BUNDLED_TEMPLATES}" build_templates)
string(REPLACE "${build_templates}" "\\fI\\%PREFIX\\fR/share/torvio/Templates/" page "${page}")
roff_text("${BUILD_DIR}" build_dir)
string(FIND "${page}" "${build_dir}" at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "${roff} shows the build folder ${BUILD_DIR}; say what it stands for "
                      "once installed (see BUNDLED_TEMPLATES in ${CMAKE_CURRENT_LIST_FILE})")
endif()
file(WRITE "${roff}" "${page}")

# Debian installs man pages compressed the way dh_compress does: gzip -9n,
# no file name or time stamp in the header.
execute_process(COMMAND "${GZIP}" -9 -n -f "${roff}" RESULT_VARIABLE code)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "gzip failed on ${roff}")
endif()
