# Installation layout and the Debian package.
#
# The program looks for its help beside the executable, then in
# <executable folder>/../share/fenmark/help (platform/help.cpp), so the help
# must land in share/fenmark/help under the same prefix as bin/; the table
# of useful lives likewise in share/fenmark/data (law/useful_life.cpp).

include(GNUInstallDirs)

if(NOT CMAKE_INSTALL_BINDIR STREQUAL "bin" OR NOT CMAKE_INSTALL_DATADIR STREQUAL "share")
    message(WARNING "fenmark finds its help only in <prefix>/bin/../share/fenmark/help; "
                    "CMAKE_INSTALL_BINDIR=${CMAKE_INSTALL_BINDIR} and "
                    "CMAKE_INSTALL_DATADIR=${CMAKE_INSTALL_DATADIR} break that")
endif()

set(fenmark_packaging ${CMAKE_CURRENT_LIST_DIR})

install(TARGETS fenmark-cli fenmark-print RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(FENMARK_BUILD_GUI)
    install(TARGETS fenmark RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/fenmark/help)
install(FILES ${PROJECT_SOURCE_DIR}/data/useful_life.tsv
        DESTINATION ${CMAKE_INSTALL_DATADIR}/fenmark/data)
install(FILES ${PROJECT_SOURCE_DIR}/examples/sample.dat
        DESTINATION ${CMAKE_INSTALL_DATADIR}/fenmark/examples)

if(FENMARK_BUILD_GUI)
    install(FILES ${fenmark_packaging}/fenmark.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${fenmark_packaging}/icons/fenmark.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    foreach(size 16 32 48 64 128 256)
        install(FILES ${fenmark_packaging}/icons/fenmark-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME fenmark.png)
    endforeach()
endif()

# The Debian package: `cpack -G DEB` in the build folder (scripts/package.sh).
set(FENMARK_PACKAGE_MAINTAINER "Fenmark developers <fenmark@example.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\.git/" "/build[^/]*/")
set(CPACK_PACKAGE_NAME fenmark)
set(CPACK_PACKAGE_VENDOR "Fenmark developers")
set(CPACK_PACKAGE_CONTACT "${FENMARK_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "register of depreciable business assets for Japanese sole proprietors")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${fenmark_packaging}/description.txt)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${FENMARK_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps names the Qt 6 and C++ runtime packages from the binaries'
# own links; CPack appends them to the fonts, which no link can reveal.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Noto CJK has the form's letters ㋷ and ㋦ of the statement's headings,
# which the IPA fonts lack.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-mincho, fonts-ipafont-gothic, fonts-noto-cjk")
# Japanese captions in Qt's own file and print dialogs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS
    "fcitx5-mozc | ibus-mozc, fcitx5-frontend-qt6")

include(CPack)
