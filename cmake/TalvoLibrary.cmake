# talvo_library(<target> FOLDER <folder> SOURCES <files> HEADERS <files>
#               [PUBLIC <targets>] [PRIVATE <targets>])
#
# One library of the program, made of the files of one folder of src/. Its headers are the only
# ones it offers: they are linked into an include folder of the target's own, as
# <folder>/<header>, and only targets that link this one see that folder. A file that includes
# the header of a library its target does not link fails to compile, so the layering of
# docs/architecture.md is kept by the build itself.
#
# PUBLIC: libraries whose headers this library's headers include; PRIVATE: libraries only its
# sources use.
function(talvo_library name)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "FOLDER" "SOURCES;HEADERS;PUBLIC;PRIVATE")
    add_library(${name} STATIC ${ARG_SOURCES} ${ARG_HEADERS})
    set(include ${CMAKE_BINARY_DIR}/include/${name})
    file(REMOVE_RECURSE ${include})
    file(MAKE_DIRECTORY ${include}/${ARG_FOLDER})
    foreach(header IN LISTS ARG_HEADERS)
        file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${header} ${include}/${ARG_FOLDER}/${header}
             COPY_ON_ERROR SYMBOLIC)
    endforeach()
    target_include_directories(${name} PUBLIC ${include})
    target_link_libraries(${name} PUBLIC talvo_options ${ARG_PUBLIC} PRIVATE talvo_strict
                          ${ARG_PRIVATE})
endfunction()
