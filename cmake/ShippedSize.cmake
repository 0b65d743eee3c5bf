# cmake -DPROGRAM=FILE -DLIMIT=BYTES -DREPORT=FILE -P ShippedSize.cmake
# The size gate of a shipped program: writes its size against the limit to
# REPORT, shows that line, and fails when the program is larger.
file(SIZE ${PROGRAM} bytes)
math(EXPR kib "(${bytes} + 1023) / 1024")
math(EXPR limitKib "${LIMIT} / 1024")
get_filename_component(name ${PROGRAM} NAME)
set(line "${name} as shipped: ${bytes} bytes (${kib} KiB), at most ${LIMIT} (${limitKib} KiB) allowed")
file(WRITE ${REPORT} "${line}\n")
if(bytes GREATER LIMIT)
  message(FATAL_ERROR "${line}: too large")
endif()
message("${line}")
