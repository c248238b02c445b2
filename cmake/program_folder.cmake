# The program folder: the one list of the files that sit beside rtln.exe, as install rules
# (component "program"). The installer packs it (installer/), CPack zips it (make dist), and
# target rtln_program_files lays it out in bin/, where the UI tests and the benchmarks take
# their program folders from.
set(CMAKE_INSTALL_MESSAGE LAZY)
file(CONFIGURE OUTPUT ${RTLN_GENERATED_DIR}/Tavrik.url NEWLINE_STYLE CRLF @ONLY
     CONTENT "[InternetShortcut]\nURL=@RTLN_MAKER_WEB_SITE@\n")
# An empty file is an empty database.
file(CONFIGURE OUTPUT ${RTLN_GENERATED_DIR}/site.qzd CONTENT "")
# The native messaging host's manifest, which the installer registers for Chrome, Edge and
# Firefox: the host beside it, and the extensions it admits (each browser reads its own list).
set(origins "")
foreach(id IN LISTS RTLN_EXTENSION_IDS)
  list(APPEND origins "\"chrome-extension://${id}/\"")
endforeach()
list(JOIN origins ", " RTLN_HOST_ORIGINS)
file(CONFIGURE OUTPUT ${RTLN_GENERATED_DIR}/rtln_host.json NEWLINE_STYLE CRLF @ONLY CONTENT [[{
  "name": "@RTLN_HOST_NAME@",
  "description": "@RTLN_PRODUCT_NAME@: fills the service's login page on \"Fill Member ID\"",
  "path": "rtln_host.exe",
  "type": "stdio",
  "allowed_origins": [@RTLN_HOST_ORIGINS@],
  "allowed_extensions": ["@RTLN_GECKO_ID@"]
}
]])
set(RTLN_PROGRAM_FILES ${RTLN_GENERATED_DIR}/rtln_host.json ${CMAKE_BINARY_DIR}/bin/rtln.chm ${CMAKE_SOURCE_DIR}/resources/art/qzDigits.ttf
    ${CMAKE_SOURCE_DIR}/resources/art/qzMain.ttf ${RTLN_GENERATED_DIR}/Tavrik.url ${RTLN_GENERATED_DIR}/site.qzd)
install(TARGETS rtln uni_rtln rtln_host RUNTIME DESTINATION . COMPONENT program)
install(FILES ${RTLN_PROGRAM_FILES} DESTINATION . COMPONENT program)

# Installing into bin/ copies what is not there yet; the programs themselves are already there.
add_custom_target(rtln_program_files ALL
  COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --component program --prefix ${CMAKE_BINARY_DIR}/bin
  VERBATIM)
add_dependencies(rtln_program_files rtln uni_rtln rtln_host rtln_help)

# make dist: the folder zipped as Rateline/ in TavrikRateline-<MAJOR.MINOR>.zip, with its SHA-256.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME TavrikRateline-${RTLN_VERSION_SHORT})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGING_INSTALL_PREFIX /Rateline)
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/reproducible_zip.cmake)
set(CPACK_RTLN_SOURCE_DIR ${CMAKE_SOURCE_DIR})
include(CPack)
