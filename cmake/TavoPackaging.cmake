# The Debian package: "cpack -G DEB" in the build folder makes
# tavo_<version>_<arch>.deb, which installs under /usr. Its library
# dependencies are computed from the program by dpkg-shlibdeps (dpkg-dev).
# Nothing needs maintainer scripts: the dpkg triggers of desktop-file-utils and
# shared-mime-info register the menu entry and the ".tavo" file type once the
# files land in /usr/share/applications and /usr/share/mime/packages.
set(CPACK_PACKAGE_NAME tavo)
set(CPACK_PACKAGE_VENDOR "Corvale")
set(CPACK_PACKAGE_CONTACT "Corvale <tavo@corvale.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.corvale.example/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "timed assessment of how well a person operates a single access switch")
# The long description, wrapped for the package manager's display.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "TAVO measures how well a person operates a single access switch, the"
    "switch that people who rely on augmentative and alternative communication"
    "press instead of using a keyboard or mouse. Speech-language pathologists,"
    "occupational therapists and assistive-technology specialists run its three"
    "timed tests (activation, release and repetition), read the average, fastest"
    "and slowest times to the millisecond, keep each assessment in a .tavo file"
    "and print a results sheet.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows are laid out for a face of Arial's proportions; this free one has
# them, and with a wider face the labels wrap. Merged with the computed
# library dependencies.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
