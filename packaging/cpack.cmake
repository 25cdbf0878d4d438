# The Debian package: `cpack` in the build folder writes diblab_VERSION_amd64.deb. Its
# dependencies on shared libraries are computed from the binaries by dpkg-shlibdeps; what the
# binaries load at run time without linking is named here: the fonts the window's text is drawn
# in, and Qt's platform plugins, without which the window cannot open.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME diblab)
set(CPACK_PACKAGE_VERSION ${DIBLAB_VERSION})
set(CPACK_PACKAGE_VENDOR "The DIB Lab developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "bench for studying how SetDIBitsToDevice copies a bitmap")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[
DIB Lab is a small desktop bench for studying how the Windows GDI call
SetDIBitsToDevice copies the bits of a device-independent bitmap (DIB) onto a
device context. It carries its own GDI bitmap layer, which behaves as Windows
does.

You prepare an 8 x 8 source picture and an 8 x 8 destination picture, choose
the eight arguments of the call and the row order of both, and perform the
call; the bench shows its result, redraws the pictures eight times enlarged
and lists their pixels in hexadecimal.

The package also holds diblab-script, which runs the same window without
showing it from a script, and diblab-probe, which evaluates calls given as
lines of text.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${DIBLAB_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${DIBLAB_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
