# How the program is installed and packed into a Debian package.
#
# The program expects a folder of its own: the executable with the DBSRC script tree beside it, and
# it writes log.txt and the update's backups (Kopia_*.fbk) there. That folder is installed whole
# into AKT_PROGRAM_DIR; bin/aktualizacja is a symlink to the executable (the program finds its
# folder through /proc/self/exe, which names the link's target), and the menu entry starts the
# executable in update mode, where the window asks for the database.
#
#   cmake --install build --prefix P      P/lib/aktualizacja/{aktualizacja,DBSRC}, P/bin, P/share
#   scripts/package.sh                    the .deb: /opt/aktualizacja, /usr/bin, /usr/share

include(GNUInstallDirs)

# Relative to the install prefix, or absolute. The package uses /opt/aktualizacja: the folder is
# written to at run time and its DBSRC is meant to be replaced by an application's own scripts, and
# neither belongs under /usr, which may even be mounted read-only.
set(AKT_PROGRAM_DIR "lib/aktualizacja" CACHE STRING "Where the program's folder is installed (executable, DBSRC)")

install(TARGETS aktualizacja RUNTIME DESTINATION "${AKT_PROGRAM_DIR}")
install(DIRECTORY "${PROJECT_SOURCE_DIR}/examples/DBSRC" DESTINATION "${AKT_PROGRAM_DIR}")

# The symlink and the menu entry name the executable's installed path, which is known only when
# installing: `cmake --install --prefix` chooses the prefix then. DESTDIR (set by CPack) only moves
# the files, never the paths written into them.
set(AKT_DESKTOP_TEMPLATE "${PROJECT_SOURCE_DIR}/packaging/aktualizacja.desktop.in")
set(AKT_DESKTOP_FILE "${PROJECT_BINARY_DIR}/packaging/aktualizacja.desktop")
install(CODE "
    set(program_dir [[${AKT_PROGRAM_DIR}]])
    if(NOT IS_ABSOLUTE \"\${program_dir}\")
        set(program_dir \"\${CMAKE_INSTALL_PREFIX}/\${program_dir}\")
    endif()
    set(program \"\${program_dir}/aktualizacja\")
    configure_file([[${AKT_DESKTOP_TEMPLATE}]] [[${AKT_DESKTOP_FILE}]] @ONLY)

    set(link_dir \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(RELATIVE_PATH link_target \"\${link_dir}\" \"\${program}\")
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${link_dir}\")
    message(STATUS \"Installing: \$ENV{DESTDIR}\${link_dir}/aktualizacja -> \${link_target}\")
    file(CREATE_LINK \"\${link_target}\" \"\$ENV{DESTDIR}\${link_dir}/aktualizacja\" SYMBOLIC)
")
install(FILES "${AKT_DESKTOP_FILE}" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")

# The Debian package. dpkg-shlibdeps names the libraries the executable links: Qt 6 Core, Gui and
# Widgets (libqt6gui6 also holds the xcb and offscreen platform plugins), the C and C++ runtimes.
# What it cannot see is named here:
#   libfbclient2             the client library is loaded with dlopen, so no ELF entry names it
#   firebird3.0-server-core  the embedded engine (plugins/libEngine12.so), used when no server is given
#   firebird3.0-utils        gbak, which makes the update's backup and restores it
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "aktualizacja")
set(CPACK_PACKAGE_VENDOR "Wendaphor")
set(CPACK_PACKAGE_CONTACT "Wendaphor <aktualizacja@localhost>" CACHE STRING "The package's Maintainer field")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Creates or updates a Firebird 3 database from the scripts of a DBSRC folder")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Vostrelink Wendaphor runs the *.SQL scripts of the DBSRC folder tree beside\n"
    "the program against a Firebird 3 database: create mode builds a new database\n"
    "without any user action, update mode backs the chosen database up with gbak\n"
    "and brings it to the current schema.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
# Absolute install destinations (AKT_PROGRAM_DIR=/opt/...) must land in CPack's staging folder.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "database")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libfbclient2 (>= 3.0), firebird3.0-server-core, firebird3.0-utils")
# The window's face where the Windows one is missing: the widest caption fits its box in it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-freefont-ttf")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
