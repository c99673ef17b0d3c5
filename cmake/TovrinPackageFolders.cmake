# Run by CPack on the files it is about to package (CPACK_PRE_BUILD_SCRIPTS): every folder becomes
# 0755, as Debian's folders are, whatever the umask of the one who builds the package. CPack and
# the install rules make the folders with that umask (0700 under umask 077), and dpkg would then
# make each folder that the system lacks so far, /usr/share/doc/tovrin always, readable by root
# alone. The files get their modes from the install rules, whatever the umask.
file(GLOB_RECURSE _entries LIST_DIRECTORIES true ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*)
set(_folders ${CPACK_TEMPORARY_INSTALL_DIRECTORY})
foreach(_entry IN LISTS _entries)
    if(IS_DIRECTORY ${_entry} AND NOT IS_SYMLINK ${_entry})
        list(APPEND _folders ${_entry})
    endif()
endforeach()
file(CHMOD ${_folders} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                              WORLD_READ WORLD_EXECUTE)
