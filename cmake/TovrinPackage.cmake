# The Debian package, tovrin_<version>_<architecture>.deb, made by `cpack -G DEB` in a build
# folder (scripts/package.sh does it all). It holds what `cmake --install` puts in place, under
# /usr. dpkg-shlibdeps (dpkg-dev) derives the dependencies from the libraries the program links;
# only what no link shows, such as the Wayland platform plugin Qt loads at run time, is named
# here, as a recommendation without a version.
set(TOVRIN_PACKAGE_MAINTAINER "Tovrin developers <tovrin@example.com>" CACHE STRING
    "Maintainer of the Debian package: name <e-mail address>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tovrin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Stripped as Debian's own packages are (dh_strip), without the compiler's .comment section, and
# with folders of mode 0755 whatever the builder's umask.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/TovrinPackageStrip.cmake
                            ${CMAKE_CURRENT_LIST_DIR}/TovrinPackageFolders.cmake)
set(CPACK_STRIP_PROGRAM ${CMAKE_STRIP})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "numerology compatibility readings for a couple")
set(CPACK_PACKAGE_DESCRIPTION
    "Enter the names and dates of birth of two partners: Tovrin reduces the dates to
LifePath numbers and the letters of the names to Destiny numbers, after the
Pythagorean system of numerology, and shows what the two numbers of each kind
say about the couple. A Comprehensive Reading puts both partners' details and
both readings into one document, which can be printed, exported as a PDF file,
saved to a file and opened again later.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TOVRIN_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TOVRIN_BASE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows on a Wayland desktop, natively rather than through XWayland, and the typeface the
# program's look asks for first.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, fonts-dejavu-core")

include(CPack)
