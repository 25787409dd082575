# The version is written once, in project(); the header the programs show it from, the
# Windows version record and the manual pages are generated from it. Users see major and minor,
# the minor with two digits ("1.00").
if(PROJECT_VERSION_MINOR LESS 10)
  set(QOMDEX_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.0${PROJECT_VERSION_MINOR}")
else()
  set(QOMDEX_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
endif()

# Generated sources live here; the engine puts it on its include path ("engine/version.h").
set(QOMDEX_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/engine/version.h.in
  ${QOMDEX_GENERATED_DIR}/engine/version.h @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/res/qomdex.rc.in ${QOMDEX_GENERATED_DIR}/qomdex.rc @ONLY)
foreach(page qomdex.1 qomdex-cli.1)
  configure_file(${PROJECT_SOURCE_DIR}/res/man/${page}.in ${QOMDEX_GENERATED_DIR}/man/${page} @ONLY)
endforeach()

# Adds the version record and icon to a Windows program; `rc_file` is the generated
# qomdex.rc or a script that includes it under another file name.
function(qomdex_add_version_record target rc_file)
  target_sources(${target} PRIVATE ${rc_file})
  set_property(SOURCE ${rc_file} APPEND PROPERTY INCLUDE_DIRECTORIES
    ${QOMDEX_GENERATED_DIR} ${PROJECT_SOURCE_DIR}/res)
endfunction()
