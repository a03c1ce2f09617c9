# Checks the layers' allowed dependencies (docs/architecture.md) on the
# #include lines of the production sources under ROOT: a layer may include
# only what the layers below it publish. Fails with every violation listed.
#   cmake -DROOT=<source tree> -P CheckLayers.cmake

# Each rule: layer folder :: what its sources must not include (a regex on
# the include as written, with its opening < or ") :: why.
set(rules
  "common::^<Q::common is plain C++ for both libraries"
  "common::^\"[^t]::common includes nothing of the tree but itself"
  "mmi::^<Q::the libraries have no Qt"
  "mmi::^\"(parvex|model/|generation/|analysis/|exports/|Project)::Sirenta sits below PARVEX"
  "sdk::^<Q::the libraries have no Qt"
  "sdk::^\"(shell/|pages/|history/|chart/|compare/|Project)::PARVEX knows neither the program nor the project file"
  "project::^<Q::the project file is Qt-free"
  "project::^\"(model/|generation/|analysis/|exports/|shell/|pages/)::the project file uses only the published interface of PARVEX"
  "scripting::^<Qt?(Widgets|Gui|Application|Widget|Dialog|MessageBox)::scripting serves torvio-gen too: Qt Core only"
  "scripting::^\"(model/|generation/|analysis/|exports/|shell/|pages/|history/|chart/|compare/)::scripting uses only the published interface of PARVEX"
  "regeneration::^<Qt?(Widgets|Gui|Application|Widget|Dialog|MessageBox)::regeneration serves torvio-gen too: Qt Core only"
  "regeneration::^\"(model/|generation/|analysis/|exports/|shell/|pages/|Project)::regeneration uses only the published interface of PARVEX"
  "gui::^\"(model/|generation/|exports/|torvio/Conversion)::the program uses only the published interface of PARVEX"
  "tools::^\"(model/|generation/|analysis/|exports/|shell/|pages/|history/)::the tools use only published interfaces"
)

# The program has an analysis/ folder of its own (the controller-analysis
# window): of PARVEX's analysis/ it must include none of the private headers.
file(GLOB private_analysis RELATIVE ${ROOT}/sdk/analysis ${ROOT}/sdk/analysis/*.h)
if(private_analysis)
  list(JOIN private_analysis "|" names)
  string(REPLACE "." "\\." names "${names}")
  list(APPEND rules
    "gui::^\"analysis/(${names})::the program uses only the published interface of PARVEX")
endif()

set(violations)
foreach(rule IN LISTS rules)
  string(REPLACE "::" ";" parts "${rule}")
  list(GET parts 0 layer)
  list(GET parts 1 forbidden)
  list(GET parts 2 why)
  file(GLOB_RECURSE sources RELATIVE ${ROOT} ${ROOT}/${layer}/*.h ${ROOT}/${layer}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "(^|/)tests/")
  foreach(where IN LISTS sources)
    set(source ${ROOT}/${where})
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*([<\"][^>\"]*)[>\"].*" "\\1" name "${line}")
      if(name MATCHES "${forbidden}")
        string(STRIP "${line}" written)
        list(APPEND violations "${where}: ${written} (${why})")
      endif()
    endforeach()
  endforeach()
endforeach()

# Pages do not write the record: the document enters every edit, so under
# gui/pages/ the record is reached only as const.
file(GLOB_RECURSE page_sources RELATIVE ${ROOT} ${ROOT}/gui/pages/*.h ${ROOT}/gui/pages/*.cpp)
list(FILTER page_sources EXCLUDE REGEX "(^|/)tests/")
foreach(where IN LISTS page_sources)
  file(STRINGS ${ROOT}/${where} lines REGEX "UserData[ \t]*[&*]")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "const[ \t]+UserData[ \t]*[&*]" "" rest "${line}")
    if(rest MATCHES "(^|[^:_A-Za-z0-9])UserData[ \t]*[&*]")
      string(STRIP "${line}" written)
      list(APPEND violations "${where}: ${written} (pages do not write the record)")
    endif()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n" text)
  message(FATAL_ERROR "layer violations:\n${text}")
endif()
message(STATUS "layers: no violation")
