#!/usr/bin/env bash
# The 32-bit Windows toolchain: GCC and the mingw-w64 C runtime built from Debian's
# own source packages so that every piece linked into a program runs on an i486
# (Debian's compilers default to the Pentium Pro, and so were its runtime
# libraries built), with CRTDLL.DLL, which every Windows 95 has, as the C runtime.
# Cached outside the checkout, keyed by this script's commands (not its comments)
# and the Debian source versions.
#
# usage: tools/toolchain/i486-mingw.sh [prefix|build]
#   prefix  print where the toolchain is; status 3 when it is not built yet
#   build   build it unless it is there (about half an hour on 2 cores), then print where
# KELDWICK_CACHE_DIR overrides the cache folder (default ${XDG_CACHE_HOME:-~/.cache}/keldwick).
set -euo pipefail

target=i686-w64-mingw32
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/../.." && pwd)
cache=${KELDWICK_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/keldwick}

usage() { sed -n 's/^# \{0,1\}//; 9,12p' "${BASH_SOURCE[0]}"; }

# The installed version of a package, else the one apt would install.
package_version() {
  local version
  version=$(dpkg-query -W -f='${Version}' "$1" 2>/dev/null || true)
  [[ -n $version ]] || version=$(apt-cache policy "$1" 2>/dev/null | sed -n 's/^ *Candidate: //p')
  echo "${version:-none}"
}

gcc_version=$(package_version gcc-12-source)
# The C runtime's source at the version of the headers Debian installed beside its compilers.
crt_version=$(package_version mingw-w64-common)
key=$({ grep -v '^ *#' "${BASH_SOURCE[0]}"; echo "gcc-12-source $gcc_version"; echo "mingw-w64 $crt_version"; } |
  sha256sum | cut -c1-12)
prefix=$cache/i486-mingw-$key

built() { [[ -f $prefix/.complete ]]; }

case ${1:-build} in
  -h | --help) usage; exit 0 ;;
  prefix) built || exit 3; echo "$prefix"; exit 0 ;;
  build) built && { echo "$prefix"; exit 0; } ;;
  *) usage >&2; exit 2 ;;
esac

"$repo/scripts/install-deps" windows i486 >&2

sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"

# Source packages come from the archive the binary ones came from, through a
# deb-src entry of their own.
add_source_entry() {
  local list=/etc/apt/sources.list.d/keldwick-deb-src.sources
  apt-cache showsrc mingw-w64 2>/dev/null | grep -qx "Version: $crt_version" && return 0
  echo "adding $list" >&2
  apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' 'Identifier: Packages' |
    sort -u | while read -r uri suite component; do
      printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: %s\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n\n' \
        "$uri" "$suite" "$component"
    done | $sudo tee "$list" >/dev/null
  $sudo apt-get update -qq
}

jobs=$(nproc)
target_flags="-Os -g0 -ffunction-sections -fdata-sections -fno-asynchronous-unwind-tables"
work=$(mktemp -d "${TMPDIR:-/tmp}/keldwick-i486.XXXXXX")
logs=$work/logs
mkdir -p "$logs" "$work/src"
started=$SECONDS

# One step: its output goes to a log; on failure the log's end is shown and the work folder kept.
step() {
  local name=$1
  shift
  printf '== %-28s (%ds)\n' "$name" $((SECONDS - started)) >&2
  if ! "$@" >"$logs/$name.log" 2>&1; then
    tail -n 60 "$logs/$name.log" >&2
    echo "i486-mingw: step '$name' failed; its log and the build are in $work" >&2
    exit 1
  fi
}

sources() {
  add_source_entry
  local tarball
  tarball=$(ls /usr/src/gcc-12/gcc-[0-9]*.tar.xz)
  tar -xf "$tarball" -C "$work/src"
  mv "$work/src"/gcc-[0-9]* "$work/src/gcc"
  # Debian's tarball lacks the GFDL manuals; its own patch builds without them.
  patch -d "$work/src/gcc" -p2 -s </usr/src/gcc-12/patches/gcc-gfdl-build.diff
  (cd "$work/src" && apt-get source -qq "mingw-w64=$crt_version")
  mv "$work/src"/mingw-w64-[0-9]* "$work/src/mingw-w64"
}

# Windows 95's level for every declaration, and CRTDLL.DLL's view of the C runtime.
headers() {
  mkdir -p "$work/headers" && cd "$work/headers"
  "$work/src/mingw-w64/mingw-w64-headers/configure" --host=$target --prefix="$prefix/mingw" \
    --with-default-msvcrt=crtdll --with-default-win32-winnt=0x0400
  make install
}

# The compiler: i486 by default, tuned for the Pentium, CRTDLL's headers
# (__CRTDLL__), the host's binutils. Exceptions unwind by setjmp/longjmp: the
# DWARF tables' one .eh_frame section per object refers to every function in
# it and the linker keeps them all, so --gc-sections could drop nothing; the
# setjmp/longjmp tables refer to no function. Its target libraries: small (-Os,
# a section per function, no unwind tables), no debug information, static
# only, the terminate handler without the demangler.
compiler() {
  mkdir -p "$work/gcc" && cd "$work/gcc"
  "$work/src/gcc/configure" --target=$target --prefix="$prefix" --with-sysroot="$prefix" \
    --with-as="/usr/bin/$target-as" --with-ld="/usr/bin/$target-ld" \
    --with-arch=i486 --with-tune=pentium --with-specs=-D__CRTDLL__ \
    --enable-languages=c,c++ --enable-threads=win32 --enable-sjlj-exceptions \
    --disable-multilib --disable-shared --enable-static --disable-bootstrap --disable-lto \
    --disable-nls --disable-plugin --disable-libcc1 --without-isl --without-zstd \
    --disable-libgomp --disable-libquadmath --disable-libssp --disable-libvtv --disable-libitm \
    --disable-libsanitizer --disable-libatomic \
    --disable-libstdcxx-pch --disable-libstdcxx-debug --disable-libstdcxx-verbose \
    --disable-libstdcxx-filesystem-ts \
    MAKEINFO=true CFLAGS="-O2 -g0" CXXFLAGS="-O2 -g0" \
    CFLAGS_FOR_TARGET="$target_flags" CXXFLAGS_FOR_TARGET="$target_flags"
  make -j"$jobs" all-gcc MAKEINFO=true
  make install-gcc MAKEINFO=true
}

# The C runtime, with CRTDLL.DLL's import library as libmsvcrt.a, so that the
# compiler's own link line takes it.
runtime() {
  mkdir -p "$work/crt" && cd "$work/crt"
  PATH=$prefix/bin:$PATH "$work/src/mingw-w64/mingw-w64-crt/configure" --host=$target \
    --prefix="$prefix/mingw" --with-sysroot="$prefix" --disable-lib64 --enable-lib32 \
    --with-default-msvcrt=crtdll CFLAGS="$target_flags"
  PATH=$prefix/bin:$PATH make -j"$jobs"
  PATH=$prefix/bin:$PATH make install
}

# C99's <stdlib.h> is there but for atoll, whose libmingwex version calls
# _atoi64, which CRTDLL lacks; libstdc++'s link test would take std::_Exit,
# std::strtoll and the rest away for that one. A program that calls atoll
# fails to link instead.
libraries() {
  cd "$work/gcc"
  export glibcxx_cv_c99_stdlib_cxx98=yes glibcxx_cv_c99_stdlib_cxx11=yes
  make -j"$jobs" all-target-libgcc all-target-libstdc++-v3 MAKEINFO=true
  make install-target-libgcc install-target-libstdc++-v3 MAKEINFO=true
}

rm -rf "$prefix"
step sources sources
step headers headers
step compiler compiler
step runtime runtime
step libraries libraries
rm -rf "$prefix/share"
echo "gcc-12-source $gcc_version, mingw-w64 $crt_version, built in $((SECONDS - started))s" >"$prefix/.complete"
rm -rf "$work"
printf '== done in %ds: %s\n' $((SECONDS - started)) "$prefix" >&2
echo "$prefix"
