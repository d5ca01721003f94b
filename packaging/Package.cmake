# The Debian package, made from the install rules: `cpack -G DEB` in the build
# folder writes bravok_<version>_<arch>.deb there.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME bravok)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "the Bravok developers")
set(CPACK_PACKAGE_CONTACT "the Bravok developers <bravok@users.noreply.invalid>"
    CACHE STRING "The package's maintainer, as Debian's Maintainer field wants it")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small first-person 3D demo game")
# The long description; CPack puts the summary line above it and formats it for
# Debian's control file.
set(CPACK_PACKAGE_DESCRIPTION "Bravok shows a closed, lit room in a window of its own. A red cylinder
floats in it, swinging from side to side while it tumbles. You walk about
with the arrow keys, look up and down, take aim through a green crosshair
and fire; a click in the view turns on mouse-look.

It is drawn with OpenGL and plays its sound through SDL.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps reads the program's libraries (wx GTK and its GL part, libGL,
# X11, the C++ runtime) and names the packages that hold them. SDL 2 is loaded
# by the program itself when its sound starts, so it is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsdl2-2.0-0 (>= 2.0.16)")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
