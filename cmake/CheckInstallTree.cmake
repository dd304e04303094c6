# Installs the build in BUILD_DIR into PREFIX, checks that every file of the install
# tree is there, validates the desktop entry and the AppStream metadata, starts the
# installed program with the demo camera until it has written a screenshot, and has it
# print its help under a German locale, which must read German.
# The manual pages (English and German), the AppStream release and --version all name the
# project's VERSION.
# Run by CTest: cmake -DBUILD_DIR=... -DPREFIX=... -DAPP_ID=... -DVERSION=... -P CheckInstallTree.cmake

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()

set(desktop ${PREFIX}/share/applications/${APP_ID}.desktop)
set(metainfo ${PREFIX}/share/metainfo/${APP_ID}.metainfo.xml)
foreach(file bin/lumetra share/lumetra/calibration.plist share/lumetra/sounds/TakePicture.wav
             share/lumetra/sounds/StartRecord.wav share/lumetra/sounds/StopRecord.wav
             share/lumetra/translations/lumetra_de.qm
             share/lumetra/translations/lumetra_core_de.qm
             share/icons/hicolor/scalable/apps/${APP_ID}.svg share/man/man1/lumetra.1
             share/man/de/man1/lumetra.1 share/doc/lumetra/copyright)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "missing from the install tree: ${file}")
  endif()
endforeach()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
find_program(APPSTREAMCLI appstreamcli REQUIRED)
foreach(check "${DESKTOP_FILE_VALIDATE};${desktop}"
              "${APPSTREAMCLI};validate;--no-net;--explain;${metainfo}")
  execute_process(COMMAND ${check} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "validation failed: ${check}")
  endif()
endforeach()

file(READ ${PREFIX}/share/man/man1/lumetra.1 man)
file(READ ${PREFIX}/share/man/de/man1/lumetra.1 man_de)
file(READ ${metainfo} appstream)
if(NOT man MATCHES "^\\.TH LUMETRA 1 \"[0-9-]+\" \"Lumetra ${VERSION}\""
   OR NOT man_de MATCHES "\n\\.TH LUMETRA 1 \"[0-9-]+\" \"Lumetra ${VERSION}\" \"Benutzerbefehle\""
   OR NOT appstream MATCHES "<release version=\"${VERSION}\" date=\"[0-9-]+\">"
   OR NOT appstream MATCHES "<project_license>GPL-3.0-or-later</project_license>")
  message(FATAL_ERROR "the manual page or the AppStream data do not name version ${VERSION} and its licence")
endif()

# The installed program, without the test environment's resource folder, on a fresh
# home: it must find its own resources and start.
set(home ${PREFIX}/home)
file(MAKE_DIRECTORY ${home})
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=LUMETRA_RESOURCES HOME=${home}
                        ${PREFIX}/bin/lumetra --demo --screenshot ${PREFIX}/demo.png
                RESULT_VARIABLE failed ERROR_VARIABLE errors TIMEOUT 60)
if(failed OR NOT EXISTS ${PREFIX}/demo.png OR errors MATCHES "no resources")
  message(FATAL_ERROR "the installed program did not start cleanly: ${failed}\n${errors}")
endif()

# Under a German locale the installed program finds its translation.
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=LUMETRA_RESOURCES --unset=LC_ALL
                        --unset=LC_MESSAGES --unset=LANGUAGE LANG=de_DE.UTF-8
                        ${PREFIX}/bin/lumetra --help
                RESULT_VARIABLE failed OUTPUT_VARIABLE help TIMEOUT 60)
if(failed OR NOT help MATCHES "Ein simuliertes WiFi-Mikroskop")
  message(FATAL_ERROR "the installed program's help is not German under LANG=de_DE.UTF-8:\n${help}")
endif()
