# `cpack -G DEB` in the build folder makes tavlinko_<version>_<arch>.deb from the install rules.
set(CPACK_PACKAGE_NAME tavlinko)
set(CPACK_PACKAGE_VENDOR "The Tavlinko developers")
set(CPACK_PACKAGE_CONTACT "The Tavlinko developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "ruler that floats on the screen")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Tavlinko is an on-screen ruler. Its bar floats above the other windows without a frame and\n"
  "carries a scale in pixels, centimetres, inches, percent of its length or units of your own.\n"
  "Click the scale to measure, set markers, copy the reading or save all readings to a file.\n"
  "The bar turns upright, swaps its zero end, spans the desktop, calibrates against a real\n"
  "ruler, and takes its look from skins and its language from language files.")
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
# Qt's own texts (standard buttons, file dialogs) in the ruler's languages.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
# The help engine is opened at run time, which dpkg-shlibdeps cannot see; without it every start
# warns that help cannot be shown.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libchm1)
include(CPack)
