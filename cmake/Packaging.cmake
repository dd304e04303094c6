# The install tree and the Debian package.
#
#   bin/lumetra
#   share/lumetra/                         calibration list template, sounds
#   share/lumetra/translations/            compiled translations (lumetra_de.qm, ...)
#   share/applications/<id>.desktop        desktop entry
#   share/icons/hicolor/scalable/apps/<id>.svg
#   share/metainfo/<id>.metainfo.xml       AppStream metadata
#   share/man/man1/lumetra.1               manual page, its version and date from this project
#   share/man/de/man1/lumetra.1            the German manual page, the same way
#   share/doc/lumetra/copyright            licence, in Debian's machine-readable form
#
# The resources' place relative to bin/ is compiled into the program
# (LUMETRA_RESOURCE_RELATIVE), so the tree can be installed under any prefix.

set(desktop_dir ${PROJECT_SOURCE_DIR}/resources/desktop)
configure_file(${desktop_dir}/${LUMETRA_APP_ID}.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/${LUMETRA_APP_ID}.metainfo.xml @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/docs/lumetra.1.in ${PROJECT_BINARY_DIR}/lumetra.1 @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/docs/lumetra.de.1.in ${PROJECT_BINARY_DIR}/de/lumetra.1 @ONLY)

install(TARGETS lumetra RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(file IN LISTS LUMETRA_RESOURCE_FILES)
  get_filename_component(folder ${file} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/${file}
          DESTINATION ${CMAKE_INSTALL_DATADIR}/lumetra/${folder})
endforeach()
install(FILES ${LUMETRA_QM_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/lumetra/translations)
install(FILES ${desktop_dir}/${LUMETRA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop_dir}/${LUMETRA_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_BINARY_DIR}/${LUMETRA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_BINARY_DIR}/lumetra.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/de/lumetra.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/de/man1)
install(FILES ${PROJECT_SOURCE_DIR}/resources/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lumetra)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumetra)
set(CPACK_PACKAGE_VENDOR "The Lumetra developers")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_CONTACT "The Lumetra developers <maintainers@lumetra.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "measure on the live picture of a digital microscope")
set(CPACK_PACKAGE_DESCRIPTION
    "Lumetra shows the live picture of a USB (V4L2) or WiFi (HTTP + MJPEG) digital\n"
    "microscope and measures on it: lengths, circles, angles and areas in calibrated\n"
    "units, with grid overlays, JPEG snapshots with the measurements burnt in, MP4\n"
    "recordings and albums. A demo mode simulates a camera.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://lumetra.org/)
# The libraries come from dpkg-shlibdeps; named here what is loaded at run time
# rather than linked: Qt's SVG icon engine and image plugin (the button images).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
# The toolkit's own texts (standard dialogs, the help's headings) in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
