# SPDX-License-Identifier: GPL-3.0-or-later
# The layers, enforced by the compiler: each library's headers are linked into an include root
# of its own (build/include/<target>/<folder>/), which the library passes on only to those that
# link it. `#include "engine/ductengine.h"` from a library that does not link the engine is not
# found, where one include root for all of src/ would find it.
function(phonoduct_headers target)
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    string(REGEX REPLACE "^(src|tests)/" "" folder ${folder})
    set(root ${CMAKE_BINARY_DIR}/include/${target})
    file(REMOVE_RECURSE ${root})
    file(MAKE_DIRECTORY ${root}/${folder})
    file(GLOB headers CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.xpm)
    foreach(header ${headers})
        get_filename_component(name ${header} NAME)
        # On Windows the system's own declarations stand in for ours (src/platform/win32).
        set(system ${PROJECT_SOURCE_DIR}/src/platform/win32/include/${folder}/${name})
        if(WIN32 AND EXISTS ${system})
            set(header ${system})
        endif()
        file(CREATE_LINK ${header} ${root}/${folder}/${name} SYMBOLIC)
    endforeach()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL INTERFACE_LIBRARY)
        target_include_directories(${target} INTERFACE ${root})
    elseif(type STREQUAL EXECUTABLE)
        target_include_directories(${target} PRIVATE ${root})
    else()
        target_include_directories(${target} PUBLIC ${root})
    endif()
endfunction()
