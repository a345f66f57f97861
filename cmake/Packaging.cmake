# `cpack -G DEB` in the build folder makes tavlinko_<version>_<arch>.deb from the install rules.
set(CPACK_PACKAGE_NAME tavlinko)
set(CPACK_PACKAGE_VENDOR "The Tavlinko developers")
set(CPACK_PACKAGE_CONTACT "The Tavlinko developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "ruler that floats on the screen")
# Package tools show the description in 80 columns, one space in from the edge.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Tavlinko is an on-screen ruler. Its bar sits on the desktop without a frame\n"
  "and carries a scale in pixels, centimetres, inches, percent of its length or\n"
  "units of your own. Click the scale to measure, set markers, copy the reading\n"
  "or save all readings to a file. The bar turns upright, swaps its zero end,\n"
  "spans the desktop, calibrates against a real ruler, and takes its look from\n"
  "skins and its language from language files.")
# The package installs under the prefix the build was configured with, which the manual page
# names: configure with -DCMAKE_INSTALL_PREFIX=/usr for a Debian package.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The Qt libraries and the C++ runtime are found by dpkg-shlibdeps in the program itself.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own texts (standard buttons, file dialogs) in the ruler's languages, and its Wayland
# platform for a desktop without XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")
# The help engine is opened at run time, which dpkg-shlibdeps cannot see; without it every start
# warns that help cannot be shown.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libchm1)

# What a distribution's package carries besides the program: the licence in Debian's
# machine-readable form, the change log, and the reasons for what lintian would otherwise report.
set(TAVLINKO_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tavlinko)
install(FILES data/debian/copyright DESTINATION ${TAVLINKO_DOC_DIR})
add_custom_command(OUTPUT changelog.gz
  COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/data/debian/changelog > changelog.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/data/debian/changelog
  COMMENT "Compressing the change log")
add_custom_target(tavlinko_changelog ALL DEPENDS changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${TAVLINKO_DOC_DIR})
install(FILES data/debian/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
  RENAME tavlinko)

# Compilers mark every object with their name and version in a .comment section, which the
# program never reads; distributions strip it with the symbols. The install rules of the
# folders above run before this one, so every program is in place by now.
install(CODE "set(objcopy \"${CMAKE_OBJCOPY}\")")
install(CODE [[
  foreach(installed IN LISTS CMAKE_INSTALL_MANIFEST_FILES)
    set(file "$ENV{DESTDIR}${installed}")
    file(READ "${file}" magic LIMIT 4 HEX)
    if(magic STREQUAL "7f454c46")
      execute_process(COMMAND "${objcopy}" --remove-section=.comment "${file}"
        COMMAND_ERROR_IS_FATAL ANY)
    endif()
  endforeach()
]])

include(CPack)
