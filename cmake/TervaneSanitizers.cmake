# SPDX-License-Identifier: GPL-3.0-or-later
# TERVANE_SANITIZE takes a comma-separated list for -fsanitize, e.g. "address,undefined".
set (TERVANE_SANITIZE "" CACHE STRING "Sanitizers to build with (passed to -fsanitize)")

if (TERVANE_SANITIZE)
    add_compile_options (-fsanitize=${TERVANE_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options (-fsanitize=${TERVANE_SANITIZE})
endif()

