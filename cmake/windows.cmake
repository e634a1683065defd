# The Windows build: what differs from the POSIX one. The platform layer
# already takes its *_win32.cpp files; here the program is linked with the
# system libraries it calls, and the tests get their GoogleTest and lose the
# tests that have no meaning on Windows.

if(WIN32)
  # CommandLineToArgvW (shell32); Winsock for the tests' servers and wget.
  target_link_libraries(textpair_platform PUBLIC shell32)
  if(MINGW)
    # Static C and C++ runtimes: only Windows' own DLLs are needed.
    target_link_options(textpair PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
  # The application manifest (cmake/textpair.manifest): run as the user,
  # the Windows versions it is written for, and long paths.
  enable_language(RC)
  target_sources(textpair PRIVATE cmake/textpair.rc)
  set_property(SOURCE cmake/textpair.rc APPEND PROPERTY OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/cmake/textpair.manifest)
endif()

# GoogleTest for the cross build, from the sources Debian's googletest
# package puts in /usr/src/googletest.
macro(textpair_windows_googletest)
  set(TEXTPAIR_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the Windows build")
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${TEXTPAIR_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endmacro()

# Tests left out of the Windows build, each for its reason.
function(textpair_windows_test_sources list_var)
  set(posix_only
    # A pseudo-terminal and POSIX signals; the Windows console is not
    # tested here (key decoding is, in console_keys_test).
    tests/platform/console_posix_test.cpp
    # Drives the program in tmux.
    tests/e2e/terminal_test.cpp
    tests/test_util/tmux_session.cpp
    # Unreadable files and folders by chmod, runs as user nobody.
    tests/e2e/bad_input_test.cpp
  )
  set(kept)
  foreach(source ${${list_var}})
    set(skip OFF)
    foreach(left_out ${posix_only})
      if(source MATCHES "${left_out}$")
        set(skip ON)
      endif()
    endforeach()
    if(NOT skip)
      list(APPEND kept ${source})
    endif()
  endforeach()
  set(${list_var} ${kept} PARENT_SCOPE)
endfunction()

# The Windows tests: Winsock for the local HTTP server, and wget.exe, the
# stand-in for GNU wget that Wine can wait for, on the search path of the
# programs the tests start (WINEPATH).
function(textpair_windows_test_setup tests_target)
  target_link_libraries(${tests_target} PRIVATE ws2_32)
  add_executable(wget_standin tests/tools/wget_standin.cpp)
  target_link_libraries(wget_standin PRIVATE ws2_32)
  target_link_options(wget_standin PRIVATE -static)
  set_target_properties(wget_standin PROPERTIES OUTPUT_NAME wget RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/wget_standin)
  add_dependencies(${tests_target} wget_standin)
  set(TEXTPAIR_TEST_PROPERTIES ENVIRONMENT "WINEPATH=Z:${CMAKE_BINARY_DIR}/wget_standin" PARENT_SCOPE)
endfunction()
