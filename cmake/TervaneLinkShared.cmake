# SPDX-License-Identifier: GPL-3.0-or-later
# Tests, benchmarks and tools link the plug-in's shared code, so JUCE is compiled once.
# They need to see the same module headers and settings as the shared code itself.
function (tervane_link_shared_code target)
    target_include_directories (${target} PRIVATE
        $<TARGET_PROPERTY:ORVATervane64bit,INCLUDE_DIRECTORIES>)
    target_compile_definitions (${target} PRIVATE
        $<TARGET_PROPERTY:ORVATervane64bit,COMPILE_DEFINITIONS>)
    target_link_libraries (${target} PRIVATE ORVATervane64bit)
endfunction()
