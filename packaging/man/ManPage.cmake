cmake_minimum_required(VERSION 3.25)
# Writes the gzipped man page of one program with help2man.
#   PROGRAM            the program, run with --help and --version
#   INCLUDE            its .h2m file: NAME and the hand-written sections
#   OUTPUT             the page, NAME.1.gz
#   HELP2MAN, GZIP     the tools
#   BUILD_DIR          the build folder, which must not show in the page

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

# No path of the build tree may show in an installed page: the help texts say
# what a default stands for, never where it lies here. help2man breaks long
# lines, so the page is searched with its line breaks taken out.
file(READ "${roff}" page)
string(REPLACE "-" "\\-" build_dir "${BUILD_DIR}")
string(REPLACE "\n" "" flat "${page}")
foreach(form "${BUILD_DIR}" "${build_dir}")
  string(FIND "${flat}" "${form}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "${roff} shows the build folder ${BUILD_DIR}; say in --help what it "
                        "stands for once installed")
  endif()
endforeach()

# Debian installs man pages compressed the way dh_compress does: gzip -9n,
# no file name or time stamp in the header.
execute_process(COMMAND "${GZIP}" -9 -n -f "${roff}" RESULT_VARIABLE code)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "gzip failed on ${roff}")
endif()
