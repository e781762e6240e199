# make package: a Debian package of what cmake/QuorvelInstall.cmake installs, under /usr.
# Depends is worked out by dpkg-shlibdeps from the libraries the programs link, plus what
# they only find at run time: the ffmpeg tool, MediaInfo (loaded by name) and the font the
# Japanese interface and the manuals are drawn with.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Velmarro)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "mosaic video editor")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvel hides parts of a video picture under a mosaic (pixelation, frosted glass,\n\
inversion, black fill or blur) and saves the result as a new video with its sound.\n\
Areas are marked once for the whole movie or follow a moving subject.\n\
The command quorvel-render renders and saves movies from scripts.")
set(CPACK_PACKAGE_CONTACT "Velmarro <quorvel@velmarro.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "ffmpeg, libmediainfo0v5, fonts-ipafont-gothic")
# Qt's own dialogs in Japanese; the manuals open in whatever PDF viewer there is.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "pdf-viewer")

set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/QuorvelDebScripts.cmake)

include(CPack)
