# Fails when a source under SRC reaches up a floor: the floors are the core (src/core), the
# window plumbing (src/ui), the windows (src/view, src/panels, src/effects and the other
# dialog folders) and the program itself (src/app). Only src/app may include app/ headers,
# and src/ui includes nothing but the core and itself. An include "x/y.h" is taken as the file
# it names: src/core/x/y.h when that exists (the core's include folder comes first), else
# src/x/y.h.
file(GLOB_RECURSE sources "${SRC}/*.h" "${SRC}/*.cpp")
set(problems "")
foreach(f IN LISTS sources)
    file(RELATIVE_PATH rel "${SRC}" "${f}")
    string(REGEX MATCH "^[^/]+" floor "${rel}")
    if(floor STREQUAL "core")
        continue()  # the core has its own check (check_headless.cmake)
    endif()
    file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+\"")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" header "${line}")
        if(EXISTS "${SRC}/core/${header}" OR NOT EXISTS "${SRC}/${header}")
            continue()  # the core's, or a file beside the source
        endif()
        string(REGEX MATCH "^[^/]+" target "${header}")
        if(target STREQUAL "app" AND NOT floor STREQUAL "app")
            list(APPEND problems "${rel} includes ${header}: only src/app may include app/")
        elseif(floor STREQUAL "ui" AND NOT target STREQUAL "ui")
            list(APPEND problems "${rel} includes ${header}: src/ui includes only the core")
        endif()
    endforeach()
endforeach()
if(problems)
    string(REPLACE ";" "\n" problems "${problems}")
    message(FATAL_ERROR "${problems}")
endif()
