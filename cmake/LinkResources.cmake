# SPDX-License-Identifier: MIT
# kc_link_resources(<target>): links the pictures, logos and icon of resources/ into an
# executable. kc_resources is an object library, so each executable links it directly and its
# resources register at start.
function(kc_link_resources target)
  target_link_libraries(${target} PRIVATE kc_resources)
endfunction()
