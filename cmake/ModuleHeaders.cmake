# Gives a module's library target an include root that holds the module's own folder and nothing
# else, so a file can name another module's headers only when its target links that module: the
# direction of the dependencies between modules is then kept by the build, not by review.
function(qomdex_module_headers target folder)
  set(root "${PROJECT_BINARY_DIR}/module-headers/${target}")
  get_filename_component(parent "${root}/${folder}" DIRECTORY)
  file(MAKE_DIRECTORY "${parent}")
  file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${folder}" "${root}/${folder}" SYMBOLIC)
  target_include_directories(${target} PUBLIC "${root}")
endfunction()
