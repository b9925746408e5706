# cmake -DSOURCE=<dir> -DDEST=<dir> -DFOLDERS="a;b" -P SeedFolder.cmake
# Copies the shipped program folder next to the executable, adding only the files that are
# missing there: the build tree is a working program folder, and a user's edits to its lists,
# terms and reports survive the next build.
file(GLOB_RECURSE files RELATIVE "${SOURCE}" "${SOURCE}/*")
foreach(f IN LISTS files)
    if(NOT EXISTS "${DEST}/${f}")
        get_filename_component(dir "${DEST}/${f}" DIRECTORY)
        file(MAKE_DIRECTORY "${dir}")
        file(COPY "${SOURCE}/${f}" DESTINATION "${dir}")
    endif()
endforeach()
foreach(d IN LISTS FOLDERS)
    file(MAKE_DIRECTORY "${DEST}/${d}")
endforeach()
