# The distribution's hardening flags: fortified C library calls, stack protector, format checks,
# read-only relocations bound at start-up. They come from dpkg-buildflags, as a Debian package
# build would get them, without its -g -O2 so that the build type keeps choosing those. The
# file prefix map it adds keeps the source folder's path out of what the compiler writes.
# _FORTIFY_SOURCE needs an optimised build, and the sanitizers bring checks of their own.
option(KRESLIX_HARDENING "Build with the distribution's hardening flags" ON)

if(NOT KRESLIX_HARDENING OR KRESLIX_SANITIZE OR CMAKE_BUILD_TYPE STREQUAL "Debug"
   OR CMAKE_BUILD_TYPE STREQUAL "")
    return()
endif()
find_program(KRESLIX_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT KRESLIX_DPKG_BUILDFLAGS)
    message(STATUS "dpkg-buildflags not found: building without the hardening flags")
    return()
endif()

function(kreslix_buildflags kind out)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                "DEB_${kind}_MAINT_STRIP=-g -O2" ${KRESLIX_DPKG_BUILDFLAGS} --get ${kind}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE flags
        OUTPUT_STRIP_TRAILING_WHITESPACE
        COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    set(${out} ${flags} PARENT_SCOPE)
endfunction()

kreslix_buildflags(CPPFLAGS cppflags)
kreslix_buildflags(CFLAGS cflags)
kreslix_buildflags(CXXFLAGS cxxflags)
kreslix_buildflags(LDFLAGS ldflags)
add_compile_options(${cppflags})
foreach(flag IN LISTS cflags)
    add_compile_options($<$<COMPILE_LANGUAGE:C>:${flag}>)
endforeach()
foreach(flag IN LISTS cxxflags)
    add_compile_options($<$<COMPILE_LANGUAGE:CXX>:${flag}>)
endforeach()
add_link_options(${ldflags})
# A build folder outside the source folder is mapped too, so that no build path is written.
cmake_path(IS_PREFIX PROJECT_SOURCE_DIR "${PROJECT_BINARY_DIR}" NORMALIZE binary_in_source)
if(NOT binary_in_source)
    add_compile_options(-ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
endif()
