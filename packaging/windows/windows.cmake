# Installation on Windows: the two programs with the DLLs and Qt plugins they load beside them,
# the shipped talvo.ini, templates and demo flight in defaults\; and two packages of that tree:
#   Talvo2003-<version>-win64.exe  an installer for the current user, without administrator
#                                  rights (NSIS.template.in beside this file), that prepares the
#                                  pilot's Talvo folder and starts the program there;
#   Talvo2003-<version>-win64.zip  a portable copy whose own folder is the working folder.
# Included from packaging/CMakeLists.txt.

# Every file lands in the top folder or below it: the programs find their DLLs beside them.
if(NOT CMAKE_INSTALL_BINDIR STREQUAL ".")
    message(FATAL_ERROR "A Windows build installs its programs beside their DLLs: configure it "
                        "with -DCMAKE_INSTALL_BINDIR=. (talvo-check.exe goes to CMAKE_INSTALL_BINDIR)")
endif()
install(TARGETS talvo RUNTIME DESTINATION .)

# The compiler's runtime, from the compiler's own folders.
foreach(dll libgcc_s_seh-1.dll libstdc++-6.dll libssp-0.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know ${dll}")
    endif()
    install(FILES ${path} DESTINATION .)
    # Debian ships them with their debugging symbols (libstdc++ is 23 MB with them, 2 without).
    install(CODE "execute_process(COMMAND ${CMAKE_STRIP} --strip-unneeded
                                  \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${dll}\")")
endforeach()

# Qt: the libraries the programs import, the Windows platform and the native style. Pictures are
# raw PPM and PAM read by the program itself, so no image format plugin is needed.
foreach(module Core Gui Widgets)
    install(FILES $<TARGET_FILE:Qt6::${module}> DESTINATION .)
endforeach()
get_filename_component(TALVO_QT_PREFIX "${Qt6Core_DIR}/../../.." ABSOLUTE)
set(TALVO_QT_PLUGINS ${TALVO_QT_PREFIX}/${QT6_INSTALL_PLUGINS})
foreach(plugin platforms/qwindows.dll styles/qwindowsvistastyle.dll)
    if(NOT EXISTS ${TALVO_QT_PLUGINS}/${plugin})
        message(FATAL_ERROR "The Qt at ${TALVO_QT_PREFIX} has no ${plugin}")
    endif()
    get_filename_component(folder ${plugin} DIRECTORY)
    install(FILES ${TALVO_QT_PLUGINS}/${plugin} DESTINATION ${folder})
endforeach()

# What a new Talvo folder starts with; the installer copies it there, never runs there.
install(FILES ${PROJECT_SOURCE_DIR}/data/talvo.ini DESTINATION defaults)
install(FILES ${PROJECT_SOURCE_DIR}/data/lib/Talvo.abl ${PROJECT_SOURCE_DIR}/data/lib/Talvo2.abl
        DESTINATION defaults/lib)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/demo/ DESTINATION defaults/demo)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

# The portable zip also holds a working folder of its own: talvo.ini and lib\ beside the program.
set(TALVO_PORTABLE_DIR ${CMAKE_CURRENT_BINARY_DIR}/portable)
file(MAKE_DIRECTORY ${TALVO_PORTABLE_DIR}/lib)
configure_file(${PROJECT_SOURCE_DIR}/data/talvo.ini ${TALVO_PORTABLE_DIR}/talvo.ini COPYONLY)
foreach(template Talvo.abl Talvo2.abl)
    configure_file(${PROJECT_SOURCE_DIR}/data/lib/${template} ${TALVO_PORTABLE_DIR}/lib/${template}
                   COPYONLY)
endforeach()

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME Talvo2003)
set(CPACK_PACKAGE_VENDOR "Talvo 2003 developers")
set(CPACK_PACKAGE_CONTACT "${TALVO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_FILE_NAME Talvo2003-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Talvo 2003")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Talvo 2003")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
# The project's own installer script (CMake's asks for administrator rights).
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(CPACK_NSIS_PACKAGE_NAME "Talvo 2003")
set(CPACK_NSIS_DISPLAY_NAME "Talvo 2003")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_NSIS_UNINSTALL_NAME Uninstall)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_BINARY_DIR}/CPackWindows.cmake)
configure_file(${CMAKE_CURRENT_LIST_DIR}/CPackWindows.cmake.in ${CPACK_PROJECT_CONFIG_FILE} @ONLY)
include(CPack)
