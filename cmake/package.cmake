# `cpack -G DEB` in the build folder makes the Debian package of the program.
set(CPACK_PACKAGE_NAME lumivane)
set(CPACK_PACKAGE_VENDOR "The Lumivane developers")
set(CPACK_PACKAGE_CONTACT "The Lumivane developers <packages@lumivane.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "slide show player and editor for photographs")
set(CPACK_PACKAGE_DESCRIPTION
    "Lumivane plays slide shows of photographs full screen, with captions, transitions and
slow pans and zooms across each picture, edits them in a grid of thumbnails, and exports
them as videos. A show is a folder of JPEG, TIFF, PNG, WebP and JPEG XL photographs and
an index file listing the slides.")
set(CPACK_PACKAGE_HOMEPAGE_URL https://lumivane.org/)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries' packages come from dpkg-shlibdeps; the captions' face is one more.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation2)
# Qt's own texts (standard buttons, file dialogs) in the desktop's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_STRIP_FILES ON)
# Staged into DESTDIR under /usr, where the program finds its resources in
# /usr/share/lumivane beside its /usr/bin.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
