# Import libraries that bind by ordinal. A .def file lists each export as
# "Name @N"; the copy made here marks every entry NONAME, and dlltool turns
# it into an import library whose entries name no function, so a program or
# DLL linked with it imports "DLL, ordinal N", as the system is described.
#
#   torvio_ordinal_import(<name> DLL <dll target> DEF <file.def>)
# gives the INTERFACE target <name>, to link instead of <dll target>.
function(torvio_ordinal_import name)
  cmake_parse_arguments(arg "" "DLL;DEF" "" ${ARGN})
  if(NOT CMAKE_DLLTOOL)
    message(FATAL_ERROR "torvio_ordinal_import needs CMAKE_DLLTOOL (the toolchain file sets it)")
  endif()
  set(noname_def ${CMAKE_CURRENT_BINARY_DIR}/${name}.def)
  set(import_lib ${CMAKE_CURRENT_BINARY_DIR}/lib${name}.a)
  add_custom_command(OUTPUT ${import_lib}
    COMMAND ${CMAKE_COMMAND} -DIN=${arg_DEF} -DOUT=${noname_def}
            -P ${PROJECT_SOURCE_DIR}/cmake/NonameDef.cmake
    COMMAND ${CMAKE_DLLTOOL} -d ${noname_def} -D $<TARGET_FILE_NAME:${arg_DLL}> -l ${import_lib}
    DEPENDS ${arg_DEF} ${PROJECT_SOURCE_DIR}/cmake/NonameDef.cmake
    COMMENT "Import library of ${arg_DEF}, by ordinal"
    VERBATIM)
  add_custom_target(${name}_implib DEPENDS ${import_lib})
  add_dependencies(${name}_implib ${arg_DLL})
  add_library(${name} INTERFACE)
  add_dependencies(${name} ${name}_implib)
  target_link_libraries(${name} INTERFACE ${import_lib})
  get_target_property(includes ${arg_DLL} INTERFACE_INCLUDE_DIRECTORIES)
  if(includes)
    target_include_directories(${name} INTERFACE ${includes})
  endif()
endfunction()
