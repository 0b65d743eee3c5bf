#!/usr/bin/env bash
# The i486 scan over disassemblies made up for it: what it must find, and what
# it must pass (i486 code, prefixes, the linker's data after the code, the
# functions its allow list names).
set -euo pipefail
scan="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# objdump as the scan runs it, printing the file it is given, and objcopy, copying it.
printf '#!/bin/sh\nfor last; do :; done\ncat "$last"\n' >"$work/objdump"
printf '#!/bin/sh\ncp "$3" "$4"\n' >"$work/objcopy"
chmod +x "$work/objdump" "$work/objcopy"
printf 'guarded  # runs only after CPUID reports the instruction\n' >"$work/allow.txt"

disassembly() {
  cat <<'DUMP'
prog.exe:     file format pei-i386

Disassembly of section .text:

00401000 <_main>:
  401000:	push   ebp
  401001:	lock xadd DWORD PTR [eax],edx
  401005:	rep stos DWORD PTR es:[edi],eax
  401007:	repz ret
  401009:	fucompp
  40100b:	bswap  eax
  40100d:	ud2
DUMP
  cat
  cat <<'DUMP'

00401100 <guarded>:
  401100:	cpuid
  401102:	cmove  eax,edx

00402000 <___CTOR_LIST__>:
  402000:	(bad)
  402001:	cmovg  eax,DWORD PTR [eax]
DUMP
}

expect() {
  local want=$1 name=$2
  shift 2
  local status=0
  python3 "$scan" --objdump "$work/objdump" --allow "$work/allow.txt" "$work/$name.txt" >"$work/out" || status=$?
  if [[ $status -ne $want ]] || ! grep -qF -- "$*" "$work/out"; then
    echo "$name: status $status, expected $want and '$*' in:" >&2
    cat "$work/out" >&2
    exit 1
  fi
}

disassembly </dev/null >"$work/clean.txt"
expect 0 clean "9 instructions, 0 beyond the i486 (2 more in 1 function(s) that CPUID guards)"

for newer in "cmovne eax,edx" "fcomip st,st(1)" "cmpxchg8b QWORD PTR [esi]" "rdtsc" \
  "movd   mm0,eax" "xorps  xmm0,xmm0" "nop    DWORD PTR [eax+0x0]" "lock cmpxchg8b QWORD PTR [ecx]"; do
  printf '  401010:\t%s\n' "$newer" | disassembly >"$work/newer.txt"
  expect 1 newer "BEYOND i486 .text <_main>: $newer"
done
