# The Debian package: `cpack -G DEB` in a build configured for the prefix /usr (scripts/package
# does both) makes build-package/koropika_<version>_<arch>.deb. The program folder goes to
# /usr/lib/koropika, the command to /usr/games (KOROPIKA_INSTALL_COMMAND_DIR=games), the desktop
# entry, the icons, the metainfo file, the manual page and the notes under /usr/share.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME koropika)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Koropika maintainers <maintainers@koropika.example>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The first line is the summary, the rest the long description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Concentration with playing cards against the computer
Koropika is the card game Concentration (pairs, memory) for one player
against the computer, with a Japanese and an English interface. The
cards lie face down; the two sides take turns turning two of them, and a
pair of equal ranks stays with the side that found it, which goes again.

The computer remembers every card and uses that memory more often at each
of its six levels. Play with 28, 40 or 52 cards and five card backs; each
user's names and window position are kept in their own data folder.")

# The libraries come from dpkg-shlibdeps, all but SDL, which the program loads itself when it
# first plays a sound; the windows draw their Japanese text with the IPA and Noto CJK fonts and
# their English text with Liberation, Qt needs its platform plugins to open a window at all and
# its own translations for the words of its dialogs and buttons in the game's language.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libsdl2-2.0-0 (>= 2.0.16), fonts-ipafont-gothic, fonts-ipafont-mincho, fonts-noto-cjk, fonts-liberation2, qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)

include(CPack)
