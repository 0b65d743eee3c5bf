#!/usr/bin/env python3
"""Fails when a 32-bit Windows program holds an instruction that an i486 lacks.

Reads the program's code as objdump disassembles it and accepts only the
instructions of the i486 and its floating-point unit: a Pentium, a 486, an
AMD K5 or K6 or a Cyrix 6x86 raises an invalid-opcode fault on anything newer
(cmov, fcomi, cmpxchg8b, rdtsc, cpuid on most 486s, MMX or SSE registers, the
long nop). Two things are not code and are skipped: the constructor and
destructor lists and exception tables that the linker puts after the code in
.text (from ___CTOR_LIST__ on), and the functions of the allow list, each named
with the reason it may hold a newer instruction (it runs only after CPUID says
the processor has it).

The labels the linker gives auto-import fixups (__fu0_NAME) point into the
middle of a call; the scan drops them from a copy (objcopy) before it
disassembles, so that every instruction is read whole.

Usage: i486-scan.py [--objdump PROGRAM] [--objcopy PROGRAM] [--allow FILE] FILE.exe
Prints the figures and every finding; exit status 1 on a finding, 2 when the
file cannot be disassembled. The program must still have its symbols.
"""

import argparse
import re
import subprocess
import sys
import tempfile
from collections import Counter
from pathlib import Path

# The i486's instructions as objdump prints them in Intel syntax, without the
# condition-code families, which follow below.
I486 = set("""
aaa aad aam aas adc add and arpl bound bsf bsr bswap bt btc btr bts call cbw cdq clc cld cli clts cmc cmp
cmps cmpsb cmpsw cmpsd cmpxchg cwd cwde daa das dec div enter hlt idiv imul in inc ins insb insw insd int
int3 into invd invlpg iret iretd lahf lar lds lea leave les lfs lgdt lgs lidt lldt lmsw lods lodsb lodsw
lodsd loop loope loopne loopz loopnz lsl lss ltr mov movs movsb movsw movsd movsx movzx mul neg nop not or
out outs outsb outsw outsd pop popa popad popf popfd push pusha pushad pushf pushfd rcl rcr ret retf rol
ror sahf sal sar sbb scas scasb scasw scasd sgdt shl shld shr shrd sidt sldt smsw stc std sti stos stosb
stosw stosd str sub test verr verw wait fwait wbinvd xadd xchg xlat xlatb xor jmp jcxz jecxz
f2xm1 fabs fadd faddp fbld fbstp fchs fclex fnclex fcom fcomp fcompp fcos fdecstp fdiv fdivp fdivr fdivrp
ffree fiadd ficom ficomp fidiv fidivr fild fimul fincstp finit fninit fist fistp fisub fisubr fld fld1
fldcw fldenv fldl2e fldl2t fldlg2 fldln2 fldpi fldz fmul fmulp fnop fpatan fprem fprem1 fptan frndint
frstor fsave fnsave fscale fsin fsincos fsqrt fst fstcw fnstcw fstenv fnstenv fstp fstsw fnstsw fsub fsubp
fsubr fsubrp ftst fucom fucomp fucompp fxam fxch fxtract fyl2x fyl2xp1
""".split())
CONDITIONS = "o no b c nae ae nb nc e z ne nz be na a nbe s ns p pe np po l nge ge nl le ng g nle".split()
I486 |= {"j" + c for c in CONDITIONS} | {"set" + c for c in CONDITIONS}
# ud2 is undefined on every processor: it is the trap the compiler places
# where the program must stop, and faults as meant on an i486 too.
I486.add("ud2")

PREFIXES = {"lock", "rep", "repz", "repe", "repnz", "repne", "data16", "addr16", "cs", "ds", "es", "fs", "gs",
            "ss", "bnd", "notrack"}
NEWER_REGISTERS = re.compile(r"\b([xyz]mm\d+|mm\d|k[0-7])\b")
SYMBOL = re.compile(r"^[0-9a-f]+ <(.+)>:$")
INSTRUCTION = re.compile(r"^\s+[0-9a-f]+:\s+(.*)$")
# Where the linker's data in .text begins: the constructor list comes first.
DATA_START = {"___CTOR_LIST__", "__CTOR_LIST__"}


def read_allow(path):
    allowed = {}
    for line in path.read_text().splitlines():
        name, _, reason = line.partition("#")
        if name.strip():
            allowed[name.strip()] = reason.strip()
    return allowed


def beyond_i486(text):
    words = text.split()
    while words and words[0] in PREFIXES:
        words.pop(0)
    if not words:
        return None  # a prefix alone, as objdump shows a padding byte
    mnemonic = words[0]
    if mnemonic not in I486:
        return mnemonic
    if NEWER_REGISTERS.search(text):
        return mnemonic + " (MMX/SSE register)"
    if mnemonic == "nop" and len(words) > 1:
        return "nop (the long nop)"
    return None


def scan(lines, allowed):
    """Returns the figures, the findings and the allowed uses."""
    section, function, in_data = "", "", False
    counts, findings, allowed_uses = Counter(), [], Counter()
    for line in lines:
        if line.startswith("Disassembly of section "):
            section, in_data = line.split()[-1].rstrip(":"), False
            continue
        symbol = SYMBOL.match(line)
        if symbol:
            function = symbol.group(1)
            if function in DATA_START:
                in_data = True
            continue
        instruction = INSTRUCTION.match(line)
        if not instruction or in_data:
            continue
        text = instruction.group(1).split("#")[0].strip()
        if not text:
            continue
        counts["instructions"] += 1
        newer = beyond_i486(text)
        if newer is None:
            continue
        if function in allowed:
            allowed_uses[function] += 1
        else:
            findings.append(f"{section} <{function}>: {text} ({newer})")
    return counts, findings, allowed_uses


def main():
    parser = argparse.ArgumentParser(description="Checks that a 32-bit program holds only i486 instructions.")
    parser.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    parser.add_argument("--objcopy", help="default: the objcopy beside objdump")
    parser.add_argument("--allow", type=Path, default=Path(__file__).with_name("cpuid-guarded.txt"))
    parser.add_argument("program", type=Path)
    arguments = parser.parse_args()
    objcopy = arguments.objcopy or arguments.objdump.replace("objdump", "objcopy")
    try:
        with tempfile.TemporaryDirectory() as folder:
            copy = Path(folder) / arguments.program.name
            subprocess.run([objcopy, "--wildcard", "--strip-symbol=__fu[0-9]*", str(arguments.program), str(copy)],
                           check=True, capture_output=True)
            dump = subprocess.run([arguments.objdump, "-d", "--no-show-raw-insn", "-M", "intel", str(copy)],
                                  check=True, capture_output=True, text=True).stdout
    except (OSError, subprocess.CalledProcessError) as error:
        print(f"i486-scan: cannot disassemble {arguments.program}: {error}", file=sys.stderr)
        return 2
    allowed = read_allow(arguments.allow)
    counts, findings, allowed_uses = scan(dump.splitlines(), allowed)
    if counts["instructions"] == 0:
        print(f"i486-scan: no code found in {arguments.program}", file=sys.stderr)
        return 2
    for finding in findings:
        print("  BEYOND i486 " + finding)
    for function, uses in sorted(allowed_uses.items()):
        print(f"  allowed {function}: {uses} instruction(s): {allowed[function]}")
    print(f"{arguments.program.name}: {counts['instructions']} instructions, {len(findings)} beyond the i486"
          f" ({sum(allowed_uses.values())} more in {len(allowed_uses)} function(s) that CPUID guards)")
    return 1 if findings else 0


if __name__ == "__main__":
    sys.exit(main())
