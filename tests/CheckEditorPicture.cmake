# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the editor as the README shows it and compares the result with docs/editor.png.
execute_process (COMMAND ${RENDERER} ${WORK} --mid 0 --side -4 --peaks 0.56 0.33 RESULT_VARIABLE result)

if (NOT result EQUAL 0)
    message (FATAL_ERROR "the renderer failed: ${result}")
endif()

execute_process (COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK} ${PICTURE} RESULT_VARIABLE differs)

if (differs)
    message (FATAL_ERROR "docs/editor.png is out of date; run: tervane-render-editor docs/editor.png --mid 0 --side -4 --peaks 0.56 0.33")
endif()
