# The win64 build runs its executables under wine64, in a private prefix
# inside the build folder.
set(FTPCONFIG_RUNS_UNDER_WINE OFF)
if(CMAKE_CROSSCOMPILING AND WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(FTPCONFIG_RUNS_UNDER_WINE ON)
  set(FTPCONFIG_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                  WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
endif()
