# Installs the build into a scratch prefix and checks that the program, its
# help pages and the desktop integration files are where the desktop looks.
# Run with -DBUILD_DIR=... -DPREFIX=...
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "install failed: ${result}")
endif()
foreach(file
    bin/torvio
    share/torvio/help/index.html
    share/torvio/help/getting-started.html
    share/torvio/help/support.html
    share/applications/torvio.desktop
    share/mime/packages/torvio.xml
    share/icons/hicolor/scalable/apps/torvio.svg)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "missing after install: ${file}")
  endif()
endforeach()
file(READ ${PREFIX}/share/applications/torvio.desktop desktop)
if(NOT desktop MATCHES "MimeType=application/x-torvio-project;" OR NOT desktop MATCHES "Exec=torvio %f")
  message(FATAL_ERROR "the desktop entry does not open .tvd files")
endif()
file(READ ${PREFIX}/share/mime/packages/torvio.xml mime)
if(NOT mime MATCHES "type=\"application/x-torvio-project\"" OR NOT mime MATCHES "pattern=\"\\*\\.tvd\"")
  message(FATAL_ERROR "the MIME type does not cover *.tvd")
endif()
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND ${VALIDATE} ${PREFIX}/share/applications/torvio.desktop
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate rejected the entry")
  endif()
endif()
file(REMOVE_RECURSE ${PREFIX})
