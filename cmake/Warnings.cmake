# Every target links this PRIVATE so the whole tree shares one warning policy.
add_library(qomdex_warnings INTERFACE)
target_compile_options(qomdex_warnings INTERFACE
  $<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:-Wall -Wextra -Wpedantic -Wshadow -Wconversion>
  $<$<CXX_COMPILER_ID:MSVC>:/W4>)
if(QOMDEX_WARNINGS_AS_ERRORS)
  target_compile_options(qomdex_warnings INTERFACE
    $<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:-Werror>
    $<$<CXX_COMPILER_ID:MSVC>:/WX>)
endif()
