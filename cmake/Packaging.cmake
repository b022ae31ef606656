# The Debian package, made by CPack from the install tree: `cmake --build build --target package`
# writes build/kururie_<version>_<arch>.deb. The libraries it depends on are found by
# dpkg-shlibdeps from the built program; listed here is only what the program loads at run time
# without linking to it.
set(KURURIE_MAINTAINER "The Kururie developers <kururie@users.noreply.github.com>")

# Debian wants the changelog and manual pages compressed, and without a time stamp in them.
set(compressed_docs)
foreach(doc changelog kururie.1)
    set(compressed ${CMAKE_CURRENT_BINARY_DIR}/${doc}.gz)
    add_custom_command(OUTPUT ${compressed}
        COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/data/${doc} ${CMAKE_CURRENT_BINARY_DIR}/${doc}
        COMMAND gzip -9nf ${CMAKE_CURRENT_BINARY_DIR}/${doc}
        DEPENDS data/${doc} VERBATIM)
    list(APPEND compressed_docs ${compressed})
endforeach()
add_custom_target(kururie_compressed_docs ALL DEPENDS ${compressed_docs})
install(FILES data/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/kururie.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_CONTACT ${KURURIE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "rolling-circle drawing toy")
# Debian shows the description as it is written: lines under 80 columns, paragraphs apart.
set(CPACK_PACKAGE_DESCRIPTION [=[
Kururie (くるりえ) draws the curves a pen traces when a circle rolls inside or
outside a fixed circle, hypotrochoids and epitrochoids, segment by segment on
a square canvas until the curve closes. The sizes of both circles, the pen
position and its swing while drawing, the pen colour or a cycling colour
gradation, the pen width and the background can be set, and a drawing can be
paused, resumed and stopped.

Pictures are saved as BMP files with a one-line settings file beside them and
open again with their settings. The user interface is in Japanese.]=])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/kururie/kururie")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The captions are laid out for IPA P Gothic; Qt's own dialogs and buttons speak Japanese through
# qtbase_ja.qm. libqt6gui6, which the program links, already holds the xcb platform plug-in and
# the JPEG and GIF readers.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-translations-l10n")
# Without the Wayland plug-in Qt falls back to xcb, through XWayland on a Wayland session, and on
# an X11 desktop it is not used at all: the program works either way.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
