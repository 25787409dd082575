# Packages made with CPack from a build folder: a Debian package (`cpack -G DEB`) on Linux, and
# a zip of the programs with the README and the licence (`cpack -G ZIP`) for Windows.
set(CPACK_PACKAGE_NAME qomdex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "the qomdex developers")
set(CPACK_PACKAGE_CONTACT "the qomdex developers <qomdex-devel@lists.qomdex.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "remove leading numbers from file and folder names")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME qomdex-${PROJECT_VERSION}-win64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
  # The installer beside the zip: `cmake --build build-win --target installer` makes
  # qomdex-<version>-win64-setup.exe with Debian's makensis (64-bit stubs).
  find_program(QOMDEX_MAKENSIS makensis)
  if(QOMDEX_MAKENSIS AND QOMDEX_BUILD_GUI)
    set(setup ${PROJECT_BINARY_DIR}/qomdex-${PROJECT_VERSION}-win64-setup.exe)
    set(script ${PROJECT_SOURCE_DIR}/res/windows/qomdex.nsi)
    set(stripped ${PROJECT_BINARY_DIR}/setup)
    add_custom_command(OUTPUT ${setup}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${stripped}
      COMMAND ${CMAKE_STRIP} -o ${stripped}/qomdex.exe $<TARGET_FILE:qomdex>
      COMMAND ${CMAKE_STRIP} -o ${stripped}/qomdex-cli.exe $<TARGET_FILE:qomdex-cli>
      COMMAND ${QOMDEX_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION}
              -DQOMDEX_EXE=${stripped}/qomdex.exe -DQOMDEX_CLI_EXE=${stripped}/qomdex-cli.exe
              -DLICENSE_FILE=${PROJECT_SOURCE_DIR}/LICENSE
              -DICON_FILE=${PROJECT_SOURCE_DIR}/res/qomdex.ico -DOUT_FILE=${setup} ${script}
      DEPENDS qomdex qomdex-cli ${script} VERBATIM)
    add_custom_target(installer DEPENDS ${setup})
  endif()
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The window draws its captions in Liberation Sans, metrically close to the Windows faces.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation2)
  # Nautilus reads the extension that puts "Remove leading numbers..." in its menu with this.
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS python3-nautilus)
  # The long description under the summary; CPack indents it as Debian wants.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "For one folder you choose, this utility cuts the leading run of digits,
spaces, underscores and dashes from the name of every file, or of every
immediate subfolder, and renames it: '01 - Intro.mp3' becomes 'Intro.mp3'.
Where the cleaned name is taken, the entry gets a numbered copy suffix.

Nothing is ever overwritten. The package holds the window (qomdex) and a
command-line program (qomdex-cli) that can keep a journal to undo a run.")
endif()

include(CPack)
