# Runs inside `cmake --install` (and cpack's install): fills the desktop entry and
# the manual page in with the prefix being installed to, then installs them.
# DESTDIR is not part of these paths: the files name where the program will be
# once the package is unpacked, and file(INSTALL) puts DESTDIR in front itself.

set(BRAVOK_INSTALL_BINDIR "${CMAKE_INSTALL_PREFIX}/${BRAVOK_BINDIR}")
set(BRAVOK_INSTALL_DATADIR "${CMAKE_INSTALL_PREFIX}/${BRAVOK_DATA_DIR}")

# The desktop entry's values follow its own rules. Exec is a command line: an
# argument with a space or another reserved character goes in double quotes,
# inside which ", `, $ and \ take a backslash; a literal % is written %%. Every
# value then escapes its backslashes once more as a string of the file.
function(bravok_desktop_string out value)
    string(REPLACE "\\" "\\\\" value "${value}")
    set(${out} "${value}" PARENT_SCOPE)
endfunction()
set(exec "${BRAVOK_INSTALL_BINDIR}/bravok")
if(exec MATCHES "[] \t\n\"'\\<>~|&;$*?#()`[]")
    string(REGEX REPLACE "([\"`$\\])" "\\\\\\1" exec "${exec}")
    set(exec "\"${exec}\"")
endif()
if(exec MATCHES "%")
    # GLib's launcher looks for the program under its name as written, %% and all,
    # and gives up; started through env, the name is an argument, which it expands.
    string(REPLACE "%" "%%" exec "env ${exec}")
endif()
bravok_desktop_string(BRAVOK_DESKTOP_EXEC "${exec}")
bravok_desktop_string(BRAVOK_DESKTOP_PATH "${BRAVOK_INSTALL_DATADIR}")

file(MAKE_DIRECTORY "${BRAVOK_STAGING}")
configure_file("${BRAVOK_SOURCE_DATA}/bravok.desktop.in" "${BRAVOK_STAGING}/bravok.desktop" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${BRAVOK_APPLICATIONS_DIR}" TYPE FILE
     FILES "${BRAVOK_STAGING}/bravok.desktop")

# Manual pages are kept compressed.
configure_file("${BRAVOK_SOURCE_DATA}/bravok.6.in" "${BRAVOK_STAGING}/bravok.6" @ONLY)
file(REMOVE "${BRAVOK_STAGING}/bravok.6.gz")
file(ARCHIVE_CREATE OUTPUT "${BRAVOK_STAGING}/bravok.6.gz" PATHS "${BRAVOK_STAGING}/bravok.6"
     FORMAT raw COMPRESSION GZip)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${BRAVOK_MAN6_DIR}" TYPE FILE
     FILES "${BRAVOK_STAGING}/bravok.6.gz")
