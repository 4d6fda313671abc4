# SPDX-License-Identifier: GPL-3.0-or-later
# Mends the Turtle that JUCE's LV2 wrapper writes into the bundle, so that it validates against
# the LV2 schemas: the plug-in is also a doap:Project (its doap:maintainer and doap:release say
# so), the UI lists ui:noUserResize as a feature and opts:interface as extension data rather
# than the other way round, and the property that the presets' states carry is declared.
#
# cmake -DBUNDLE=.../ORVATervane64bit.lv2 -DURI=https://... -P TervaneLv2Metadata.cmake

function (mend file from to)
    file (READ ${file} text)
    string (FIND "${text}" "${to}" already)

    if (NOT already EQUAL -1)
        return()
    endif()

    string (FIND "${text}" "${from}" found)

    if (found EQUAL -1)
        message (WARNING "${file}: the text to mend is not there; the LV2 metadata test will tell")
        return()
    endif()

    string (REPLACE "${from}" "${to}" text "${text}")
    file (WRITE ${file} "${text}")
endfunction()

mend (${BUNDLE}/dsp.ttl
    "\ta lv2:Plugin ;\n\tdoap:name"
    "\ta lv2:Plugin , doap:Project ;\n\tdoap:name")

mend (${BUNDLE}/ui.ttl
    "\t\topts:interface ,\n\t\tui:noUserResize ,\n\t\tui:resize ;"
    "\t\topts:interface ,\n\t\tui:resize ;")

mend (${BUNDLE}/ui.ttl
    "\t\tui:noUserResize ,\n\t\topts:interface ,\n\t\topts:options ;"
    "\t\tui:noUserResize ,\n\t\topts:options ;")

file (READ ${BUNDLE}/manifest.ttl manifest)
string (FIND "${manifest}" "<${URI}:Program>\n\ta " declared)

if (declared EQUAL -1)
    file (APPEND ${BUNDLE}/manifest.ttl
        "\n<${URI}:Program>\n"
        "\ta <http://www.w3.org/1999/02/22-rdf-syntax-ns#Property> ;\n"
        "\trdfs:label \"program\" ;\n"
        "\trdfs:comment \"The number of the program that a preset selects, from 0.\" ;\n"
        "\trdfs:range xsd:int .\n")
endif()
