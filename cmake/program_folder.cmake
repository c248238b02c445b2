# The program folder: the one list of the files that sit beside rtln.exe, as install rules
# (component "program"). The installer packs it (installer/), make dist zips it, and
# target rtln_program_files lays it out in bin/, where the UI tests and the benchmarks take
# their program folders from.
set(CMAKE_INSTALL_MESSAGE LAZY)
file(CONFIGURE OUTPUT ${RTLN_GENERATED_DIR}/Tavrik.url NEWLINE_STYLE CRLF @ONLY
     CONTENT "[InternetShortcut]\nURL=@RTLN_MAKER_WEB_SITE@\n")
# An empty file is an empty database.
file(CONFIGURE OUTPUT ${RTLN_GENERATED_DIR}/site.qzd CONTENT "")
# The native messaging host's manifests, which the installer registers: one for Chrome and Edge
# (the extension IDs they admit) and one for Firefox, which refuses a manifest that carries the
# other's list. Each names the host beside it.
set(origins "")
foreach(id IN LISTS RTLN_EXTENSION_IDS)
  list(APPEND origins "\"chrome-extension://${id}/\"")
endforeach()
list(JOIN origins ", " RTLN_HOST_ADMITTED)
set(RTLN_HOST_LIST allowed_origins)
foreach(browser chrome firefox)
  file(CONFIGURE OUTPUT ${RTLN_GENERATED_DIR}/rtln_host.${browser}.json NEWLINE_STYLE CRLF @ONLY CONTENT [[{
  "name": "@RTLN_HOST_NAME@",
  "description": "@RTLN_PRODUCT_NAME@: fills the service's login page on \"Fill Member ID\"",
  "path": "rtln_host.exe",
  "type": "stdio",
  "@RTLN_HOST_LIST@": [@RTLN_HOST_ADMITTED@]
}
]])
  set(RTLN_HOST_LIST allowed_extensions)
  set(RTLN_HOST_ADMITTED "\"${RTLN_GECKO_ID}\"")
endforeach()
set(RTLN_PROGRAM_FILES ${RTLN_GENERATED_DIR}/rtln_host.chrome.json ${RTLN_GENERATED_DIR}/rtln_host.firefox.json ${CMAKE_BINARY_DIR}/bin/rtln.chm ${CMAKE_SOURCE_DIR}/resources/art/qzDigits.ttf
    ${CMAKE_SOURCE_DIR}/resources/art/qzMain.ttf ${RTLN_GENERATED_DIR}/Tavrik.url ${RTLN_GENERATED_DIR}/site.qzd)
install(TARGETS rtln uni_rtln rtln_host RUNTIME DESTINATION . COMPONENT program)
install(FILES ${RTLN_PROGRAM_FILES} DESTINATION . COMPONENT program)

# Installing into bin/ copies what is not there yet; the programs themselves are already there.
add_custom_target(rtln_program_files ALL
  COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --component program --prefix ${CMAKE_BINARY_DIR}/bin
  VERBATIM)
add_dependencies(rtln_program_files rtln uni_rtln rtln_host rtln_help)
