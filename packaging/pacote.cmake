# The Debian package: `cpack -G DEB` in a build configured with CMAKE_INSTALL_PREFIX=/usr
# (scripts/pacote does it). Run-time libraries are found by dpkg-shlibdeps; what the
# program loads by name (the X platform plugin, SVG icons, fonts, the icon theme, Qt's
# Portuguese texts) is named here.
set(VARNELO_VERSAO 1.0.0)

# Man page and changelog go compressed, as Debian keeps them; gzip -n leaves no time stamp.
set(pacote ${CMAKE_BINARY_DIR}/pacote)
file(MAKE_DIRECTORY ${pacote})
foreach(par "varnelo.1;varnelo.1.gz" "changelog;changelog.gz")
    list(GET par 0 origem)
    list(GET par 1 destino)
    add_custom_command(OUTPUT ${pacote}/${destino}
        COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/packaging/${origem} > ${pacote}/${destino}
        DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${origem} VERBATIM)
    list(APPEND comprimidos ${pacote}/${destino})
endforeach()
add_custom_target(documentos_pacote ALL DEPENDS ${comprimidos})

install(FILES ${pacote}/varnelo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${pacote}/changelog.gz packaging/copyright
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/varnelo)

set(CPACK_PACKAGE_NAME varnelo)
set(CPACK_PACKAGE_VERSION ${VARNELO_VERSAO})
set(CPACK_PACKAGE_VENDOR "Varnelo")
set(CPACK_PACKAGE_CONTACT "Varnelo developers <equipe@varnelo.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "personal organiser for contacts, appointments and passwords")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Varnelo keeps contacts, useful telephone numbers, notes, stored passwords
and serial numbers, and appointments in one encrypted (SQLCipher) file.
It searches them, exports lists to HTML or text, prints lists, a contact
directory and Pimaco address labels, backs the file up and restores it,
can keep the file on a network share and can ask for a login at start.
The interface is in Brazilian Portuguese.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.varnelo.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, libqt6svg6, qt6-translations-l10n, fonts-liberation, adwaita-icon-theme")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_GENERATOR DEB)
include(CPack)
