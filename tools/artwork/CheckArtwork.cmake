# Runs the artwork generator into a scratch folder and checks what it wrote: every file, its size,
# and the icon's alpha channel. Called by CTest with GENERATOR and OUT set.
file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}")
execute_process(COMMAND "${GENERATOR}" "${OUT}" RESULT_VARIABLE result OUTPUT_VARIABLE listing)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "generator failed (${result}):\n${listing}")
endif()

set(expected
    "skin.jpg 850x662" "close.jpg 25x20" "minimise.jpg 23x20" "envelope.jpg 23x16" "emblem.jpg 200x234"
    "mainicon.png 48x48" "glyph-search.png 16x16" "glyph-cancel.png 16x16" "glyph-print.png 16x16"
    "glyph-next.png 16x16" "glyph-previous.png 16x16")
foreach(line IN LISTS expected)
    string(FIND "${listing}" "${line}\n" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "missing \"${line}\" in:\n${listing}")
    endif()
    string(REPLACE " " ";" parts "${line}")
    list(GET parts 0 name)
    if(NOT EXISTS "${OUT}/${name}")
        message(FATAL_ERROR "${name} was not written")
    endif()
endforeach()

# A PNG's colour type sits at byte 25 of the file: 6 is true colour with alpha.
file(READ "${OUT}/mainicon.png" header LIMIT 26 HEX)
string(SUBSTRING "${header}" 50 2 colourType)
if(NOT colourType STREQUAL "06")
    message(FATAL_ERROR "mainicon.png has no alpha channel (colour type ${colourType})")
endif()
