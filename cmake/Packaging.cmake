# The Debian package: `cpack -G DEB` in a build folder (scripts/package.sh does it all) makes
# mirulane_<version>_amd64.deb of everything `cmake --install` puts in place, under /usr.
set(CPACK_PACKAGE_NAME mirulane)
# The version both programs print (--version), all four numbers of it.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Mirulane developers")
set(CPACK_PACKAGE_CONTACT "Mirulane developers <mirulane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "make static HTML photo albums from folders of camera photos")
# The long description, in lines that fit a terminal, as Debian's tools show them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
       "Mirulane turns a folder of digital-camera photos and movie clips into a static"
       "HTML album: a frameset index.html, a list page of thumbnails and one detail page"
       "per photo, made from HTML templates. It reads the Exif camera data of JPEG files,"
       "copies the thumbnails cameras embed in it, and saves the album as a Shift-JIS"
       "album list file that it opens again. Its window and messages are in Japanese."
       "This package holds the desktop application (mirulane) and the command line"
       "program (mirulane-cli), with the help pages and a manual page for each.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

# The Debian package is the one package made, so plain `cpack` (and the package target) make it.
set(CPACK_GENERATOR DEB)
# mirulane_<version>_<architecture>.deb, the name Debian's own tools give a package file.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link are found by dpkg-shlibdeps (package dpkg-dev), with the
# versions they need; what they load only at run time is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(MIRULANE_GUI)
    # The window's icons are SVG files, drawn by Qt's SVG plugins.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
    # Qt's own dialogs in Japanese, a font with Japanese glyphs, and the launcher that opens
    # the help pages in the browser.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-noto-cjk, xdg-utils")
endif()

include(CPack)
