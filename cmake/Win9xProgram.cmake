# The 32-bit Windows build: programs that every Windows 95 machine must be able
# to start, from a 486 on. The toolchain (cmake/toolchains/i686-w64-mingw32.cmake)
# makes the code; this makes it small and checks each shipped program.
#
# keldwick_win9x_program(TARGET) fails the build of TARGET, after linking, when
#  - its code holds an instruction beyond the i486 (tools/instructions), outside
#    the functions that CPUID guards;
#  - it imports anything that Windows 95 as first sold or Windows 98 lacks or
#    has only as a stub, or its header is one their loader refuses (tools/imports);
#  - stripped, as shipped, it is larger than KELDWICK_SHIPPED_LIMIT bytes.
# The stripped program goes to ${PROJECT_BINARY_DIR}/shipped and into the
# release; each check's findings to ${PROJECT_BINARY_DIR}/gates/NAME-*.txt, and
# their last lines to the build's output.

set(KELDWICK_SHIPPED_LIMIT 262144 CACHE STRING
    "Largest size in bytes of a shipped 32-bit Windows program, stripped")

# What the programs do not use is left out: a section per function and per
# datum, and the linker drops the sections nothing refers to. Exceptions
# unwind without tables (the toolchain's setjmp/longjmp model), and no
# function carries tables for debuggers, which would keep every function of
# its object alive.
add_compile_options(-Os -ffunction-sections -fdata-sections -fno-asynchronous-unwind-tables)
add_link_options(-Wl,--gc-sections)

find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(KELDWICK_SHIPPED_DIR ${PROJECT_BINARY_DIR}/shipped)
set(KELDWICK_GATES_DIR ${PROJECT_BINARY_DIR}/gates)
file(MAKE_DIRECTORY ${KELDWICK_SHIPPED_DIR} ${KELDWICK_GATES_DIR})

function(keldwick_win9x_program target)
  set(name $<TARGET_FILE_BASE_NAME:${target}>)
  set(program $<TARGET_FILE:${target}>)
  set(shipped ${KELDWICK_SHIPPED_DIR}/$<TARGET_FILE_NAME:${target}>)
  set(gates ${KELDWICK_GATES_DIR}/${name})
  # Each check writes its findings to a file; the build shows the whole file
  # when the check fails, else its summary line. (No semicolons: CMake would
  # take them for list separators.)
  set(gate [[out=$1 && shift && ( "$@" >"$out" 2>&1 || ( cat "$out" && exit 1 ) ) && tail -n 1 "$out"]])
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND sh -c ${gate} gate ${gates}-i486.txt
            ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/instructions/i486-scan.py
            --objdump ${CMAKE_OBJDUMP} ${program}
    COMMAND sh -c ${gate} gate ${gates}-imports.txt
            $<TARGET_FILE:${KELDWICK_IMPORT_CHECK}> ${program} 95 98
    COMMAND ${CMAKE_STRIP} --strip-all -o ${shipped} ${program}
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=${shipped} -DLIMIT=${KELDWICK_SHIPPED_LIMIT}
            -DREPORT=${gates}-size.txt -P ${PROJECT_SOURCE_DIR}/cmake/ShippedSize.cmake
    COMMENT "Checking ${target}: i486 instructions, Windows 95 and 98 imports, size as shipped"
    VERBATIM)
  install(PROGRAMS ${shipped} DESTINATION .)
endfunction()
