# `cpack -G DEB` in the build folder packs everything `cmake --install`
# installs, under /usr, into torvio_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME torvio)
set(CPACK_PACKAGE_VENDOR TORVIO)
set(CPACK_PACKAGE_CONTACT
  "Seed 2a976e92 maintainers <maintainers@users.noreply.c-seed-2a976e92.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "configuration tool for field-oriented-control motor firmware")
set(CPACK_PACKAGE_DESCRIPTION
  "TORVIO configures firmware that drives three-phase permanent-magnet synchronous
motors and generates the firmware's configuration headers. The package holds the
Qt program torvio, the command-line generator torvio-gen, torvio-mmi (maximum
modulation index for given PWM timing) and their libraries libparvex and
libsirenta.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
# The build keeps its debug information; the package does not need it.
set(CPACK_STRIP_FILES ON)

# Dependencies come from the libraries the programs link. libparvex and
# libsirenta are this package's own: dpkg-shlibdeps reaches them through the
# programs' RPATH, and -l names their folder in the staging tree as well
# (relative: cpack runs it from the tree's root) so that no other package is
# sought for them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
string(REGEX REPLACE "^/" "" packaged_libdir
  "${CPACK_PACKAGING_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${packaged_libdir})
# Qt's xcb platform plugin, loaded at run time, comes with libqt6gui6,
# which the computed dependencies already hold.

include(CPack)
