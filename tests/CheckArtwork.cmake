# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the artwork again and compares it byte for byte with the committed images.
file (REMOVE_RECURSE ${WORK})
execute_process (COMMAND ${GENERATOR} ${WORK} RESULT_VARIABLE result)

if (NOT result EQUAL 0)
    message (FATAL_ERROR "the artwork generator failed: ${result}")
endif()

file (GLOB drawn RELATIVE ${WORK} ${WORK}/*.png)
file (GLOB committed RELATIVE ${ASSETS} ${ASSETS}/*.png)
list (SORT drawn)
list (SORT committed)

if (NOT drawn STREQUAL committed)
    message (FATAL_ERROR "the generator draws ${drawn}, assets/ holds ${committed}")
endif()

foreach (image IN LISTS drawn)
    execute_process (COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${image} ${ASSETS}/${image} RESULT_VARIABLE differs)

    if (differs)
        message (FATAL_ERROR "assets/${image} differs from what the generator draws; run tervane-make-artwork assets")
    endif()
endforeach()
