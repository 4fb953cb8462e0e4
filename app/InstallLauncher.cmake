# SPDX-License-Identifier: GPL-3.0-or-later
# Run by `cmake --install`, once the prefix is known: the launcher in bin/
# and the desktop entry, which starts the launcher by its full path (a
# desktop's own search path may not hold it). Expects VELMORA_SOURCE_DIR,
# VELMORA_BINDIR, VELMORA_DATADIR and VELMORA_INSTALL_DIR.
set(prefix "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
file(MAKE_DIRECTORY "${prefix}/${VELMORA_BINDIR}")
file(CREATE_LINK "../${VELMORA_INSTALL_DIR}/velmora" "${prefix}/${VELMORA_BINDIR}/velmora" SYMBOLIC)

# The Exec key's own quoting: the path in double quotes with ", `, $ and \
# escaped, then every \ doubled as the file's string values require, and %
# doubled as field codes require. A prefix with a space stays one argument.
set(exec "${CMAKE_INSTALL_PREFIX}/${VELMORA_BINDIR}/velmora")
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "\"" "\\\"" exec "${exec}")
string(REPLACE "`" "\\`" exec "${exec}")
string(REPLACE "$" "\\$" exec "${exec}")
set(exec "\"${exec}\"")
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "%" "%%" exec "${exec}")

file(READ "${VELMORA_SOURCE_DIR}/data/velmora.desktop" entry)
string(REPLACE "Exec=velmora" "Exec=${exec}" entry "${entry}")
file(WRITE "${prefix}/${VELMORA_DATADIR}/applications/velmora.desktop" "${entry}")

# The desktop learns of the new type and of the program that opens it, where
# its tools are installed (a packager's staging folder runs them later).
if(NOT DEFINED ENV{DESTDIR})
    find_program(UPDATE_MIME update-mime-database)
    find_program(UPDATE_DESKTOP update-desktop-database)
    if(UPDATE_MIME)
        execute_process(COMMAND ${UPDATE_MIME} "${prefix}/${VELMORA_DATADIR}/mime" OUTPUT_QUIET)
    endif()
    if(UPDATE_DESKTOP)
        execute_process(COMMAND ${UPDATE_DESKTOP} "${prefix}/${VELMORA_DATADIR}/applications"
                        OUTPUT_QUIET ERROR_QUIET)
    endif()
endif()
message(STATUS "Installing: ${prefix}/${VELMORA_BINDIR}/velmora")
