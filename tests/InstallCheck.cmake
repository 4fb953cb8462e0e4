# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a fresh prefix, as `cmake --install build --prefix
# ~/.local` does for a user, and checks that everything lands where the
# program and the desktop look for it. -DBUILD=... -DPREFIX=... [-DVALIDATE=...]
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
    message(FATAL_ERROR "cmake --install failed")
endif()
set(expected
    lib/velmora/velmora lib/velmora/velmora-metafile lib/velmora/GIFView.dll
    lib/velmora/CoverSizes.ini lib/velmora/CoverSizes.shipped.ini lib/velmora/VMLang.txt lib/velmora/VelmoraManual.html
    lib/velmora/VelmoraScreenshot.png lib/velmora/VelmoraMarks.png lib/velmora/VelmoraBleed.png
    lib/velmora/VelmoraCalibration.png lib/velmora/VelmoraTrackList.png lib/velmora/VelmoraSheet.png lib/velmora/VelmoraAlbum.png bin/velmora
    lib/velmora/translations/velmora_qt_el.qm lib/velmora/translations/velmora_qt_sv.qm
    lib/velmora/translations/velmora_qt_pt_PT.qm lib/velmora/translations/velmora_qt_ja.qm
    share/applications/velmora.desktop share/icons/hicolor/scalable/apps/velmora.svg
    share/mime/packages/velmora.xml
    share/icons/hicolor/scalable/mimetypes/application-x-velmora-cover.svg)
foreach(f ${expected})
    if(NOT EXISTS ${PREFIX}/${f})
        message(FATAL_ERROR "not installed: ${f}")
    endif()
endforeach()
# The launcher leads to the program in its folder, and the entry to it.
file(REAL_PATH ${PREFIX}/bin/velmora launched)
file(READ ${PREFIX}/share/applications/velmora.desktop entry)
# A prefix with a space stays one argument of the entry's command.
string(FIND "${entry}" "Exec=\"${PREFIX}/bin/velmora\" %f\n" exec)
if(NOT launched STREQUAL "${PREFIX}/lib/velmora/velmora" OR exec EQUAL -1)
    message(FATAL_ERROR "bin/velmora leads to ${launched}; the entry says ${entry}")
endif()
# Cover files are known by their extension and opened with Velmora.
string(FIND "${entry}" "MimeType=application/x-velmora-cover;" mime)
if(mime EQUAL -1)
    message(FATAL_ERROR "the entry opens no cover files: ${entry}")
endif()
find_program(UPDATE_MIME update-mime-database)
if(UPDATE_MIME AND NOT EXISTS ${PREFIX}/share/mime/application/x-velmora-cover.xml)
    message(FATAL_ERROR "the MIME database holds no cover type")
endif()
# An update keeps the user's catalogue, with the sizes added to it, byte for
# byte; the shipped list beside it is the new one.
set(catalogue ${PREFIX}/lib/velmora/CoverSizes.ini)
file(APPEND ${catalogue} "[My own case]\r\nSingleWidth=5\r\n")
file(READ ${catalogue} before HEX)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                RESULT_VARIABLE failed OUTPUT_QUIET)
file(READ ${catalogue} after HEX)
if(failed OR NOT before STREQUAL after)
    message(FATAL_ERROR "a second install replaced the user's catalogue")
endif()
file(READ ${PREFIX}/lib/velmora/CoverSizes.shipped.ini shipped)
string(FIND "${shipped}" "[My own case]" own)
if(NOT own EQUAL -1)
    message(FATAL_ERROR "the shipped list is not the shipped one")
endif()
if(VALIDATE)
    execute_process(COMMAND ${VALIDATE} ${PREFIX}/share/applications/velmora.desktop
                    RESULT_VARIABLE invalid OUTPUT_VARIABLE says ERROR_VARIABLE says)
    if(invalid OR says)
        message(FATAL_ERROR "desktop-file-validate: ${says}")
    endif()
endif()
file(REMOVE_RECURSE ${PREFIX})
message(STATUS "1 passed, 0 failed")
