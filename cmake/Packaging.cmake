# What a Linux system needs besides the programs: manual pages, bash
# completion, AppStream metadata, the documentation and the samples; and
# the Debian package CPack makes of it all (`make deb`).

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(velmora_docdir ${CMAKE_INSTALL_DATADIR}/doc/velmora)

# Manual pages are installed compressed as Debian wants them: -n keeps the
# name and time out, so the package is the same on every build.
set(manual_pages "")
foreach(page IN ITEMS Velmora.1 velmora-export.1 velmora-wizard.1)
  set(compressed ${PROJECT_BINARY_DIR}/man/${page}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/man/${page} > ${compressed}
    DEPENDS ${PROJECT_SOURCE_DIR}/man/${page} VERBATIM)
  list(APPEND manual_pages ${compressed})
endforeach()
set(changelog ${PROJECT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/packaging/changelog > ${changelog}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog VERBATIM)
add_custom_target(velmora_manual_pages ALL DEPENDS ${manual_pages} ${changelog})

install(FILES ${manual_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES completion/velmora-export completion/velmora-wizard DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES resources/org.velmora.Velmora.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES README.md docs/report-format.xsd packaging/copyright ${changelog} DESTINATION ${velmora_docdir})
install(DIRECTORY docs/ DESTINATION ${velmora_docdir} FILES_MATCHING PATTERN "*.md" PATTERN "screenshots" EXCLUDE)
install(DIRECTORY examples/ DESTINATION ${velmora_docdir}/examples)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "report viewer and exporter for Access databases")
# CPack indents the lines and marks the empty one as Debian wants.
set(CPACK_PACKAGE_DESCRIPTION "Velmora opens a report file over a Microsoft Access database (.mdb, .accdb),
shows it page by page, prints it, and exports it to plain text, Excel, Word
or PDF. Its windows speak Catalan.

The batch exporter velmora-export writes the same exports without windows,
and also CSV and Office Open XML workbooks, for scripts. The report wizard
velmora-wizard makes a new report over any Access database step by step.")
set(VELMORA_PACKAGE_MAINTAINER "Velmora developers <velmora@example.org>"
    CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VELMORA_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Libraries come from the binaries; these are what the program opens at run
# time without linking: the fonts its reports name, Qt's Catalan texts and
# Qt's platform plugins (the windows' xcb, the batch exporter's offscreen).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-translations-l10n, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
include(CPack)
