#!/usr/bin/env bash
# Checks that the packages scripts/run.sh installs (packages-run.txt) are
# enough to build and run the demo on a fresh Debian machine: every file that
# building rtg and its room reads (the compilers' and tools' programs, the
# headers in the compilers' dependency files, the linker's inputs) and every
# file that rtg and rtg-assets load when they run (libraries, the GL driver)
# must come from a listed package, from a package that one of them depends
# on, or from a package every Debian system has (Essential or required).
# scripts/check_run_packages.sh [BUILD_DIR] (default build/): a tree that
# scripts/build.sh built (Unix Makefiles).
# What it cannot see: files the demo opens and closes before its first frame
# (it reads the memory map then), files under /etc, and, where a dependency
# names alternatives, which one apt would pick on a fresh machine (it takes
# the one installed here).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
work=$(mktemp -d)
demo=""
cleanup() {
  if [ -n "$demo" ]; then kill -TERM "$demo" 2>/dev/null || true; fi
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "check_run_packages: $*" >&2
  exit 1
}

mapfile -t listed < <(sed -e 's/#.*//' -e 's/[[:space:]]//g' -e '/^$/d' "$root/scripts/packages-run.txt")
if [ ! -f "$build/Makefile" ] || [ ! -x "$build/run/rtg" ] || [ ! -x "$build/assets/rtg-assets" ]; then
  fail "$build is no built Unix Makefiles tree (scripts/build.sh $build)"
fi

# What building rtg runs, read from make's dry run: the link scripts name
# the folders of rtg's targets, which hold their objects' dependency files.
make -C "$build" -Bn rtg >"$work/plan"
awk -v top="$build" '{ dir = top } /^cd [^ ]+ && / { dir = $2 }
  { for (i = 1; i < NF; ++i) if ($i == "cmake_link_script") print dir, $(i + 1) }' "$work/plan" >"$work/links"
[ -s "$work/links" ] || fail "make -n rtg in $build names no link step"

: >"$work/files"
while read -r dir script; do
  depfiles=$(find "$dir/$(dirname "$script")" -name '*.o.d')
  [ -n "$depfiles" ] || fail "no dependency files in $dir/$(dirname "$script") (build $build first)"
  # shellcheck disable=SC2086
  sed -e 's/\\$//' $depfiles | tr -s ' \t' '\n' | grep '^/' >>"$work/files" || true
  # An executable's link, once more into a scratch file, with the linker
  # listing every file it opens.
  if head -n 1 "$dir/$script" | grep -q -- ' -o '; then
    (cd "$dir" && eval "$(head -n 1 "$script" | sed -e "s# -o [^ ]* # -o $work/linked #") -Wl,--trace") |
      sed -e 's/.*(\(\/.*\))$/\1/' | grep '^/' >>"$work/files" || fail "relinking $dir/$script failed"
  fi
done <"$work/links"

# The programs that build it, and what configuring the demo alone, as
# scripts/run.sh does, finds: compilers, tools, packages' CMake files,
# headers and libraries.
cmake -S "$root" -B "$work/configure" -DCMAKE_BUILD_TYPE=Release -DRTG_TOOLS=OFF -DRTG_TESTS=OFF >"$work/configure.log" ||
  fail "configuring the demo alone failed: $(cat "$work/configure.log")"
sed -n -e '/^CMAKE_INSTALL_PREFIX:/d' -e 's/^[A-Za-z0-9_]*:\(PATH\|FILEPATH\|STRING\)=\(\/.*\)/\2/p' \
  "$work/configure/CMakeCache.txt" >>"$work/files"
cxx=$(sed -n 's/^CMAKE_CXX_COMPILER:FILEPATH=//p' "$work/configure/CMakeCache.txt")
for tool in cc1plus collect2 as ld; do
  program=$("$cxx" -print-prog-name="$tool")
  command -v "$program" >>"$work/files" || fail "$cxx has no $tool"
done
command -v cmake Xvfb >>"$work/files" || fail "cmake or Xvfb is not installed"

# What the two programs load: their libraries, and for rtg what it opens
# while running (the GL driver, the X libraries SDL loads), read from its
# memory map at the first frame. Always under a private Xvfb, as on a
# machine without a display, so that a desktop's own GL driver is not seen.
ldd "$build/run/rtg" "$build/assets/rtg-assets" | sed -n -e 's/.*=> \(\/[^ ]*\) .*/\1/p' -e 's/^\s*\(\/[^ ]*\) (.*/\1/p' \
  >>"$work/files"
(cd "$build/run" && exec env -u DISPLAY "$root/scripts/xvfb.sh" sh -c 'echo $$ >"$0"; exec ./rtg 64 64' "$work/pid" \
  >"$work/rtg.out" 2>&1) &
runner=$!
for _ in $(seq 1 1200); do
  [ -z "$demo" ] && [ -s "$work/pid" ] && demo=$(cat "$work/pid")
  grep -q '^Frames per Second' "$work/rtg.out" && break
  kill -0 "$runner" 2>/dev/null || break
  sleep 0.1
done
grep -q '^Frames per Second' "$work/rtg.out" || fail "rtg showed no frame within two minutes: $(head -c 2000 "$work/rtg.out")"
awk '$6 ~ /^\// { print $6 }' "/proc/$demo/maps" >>"$work/files"
kill -TERM "$demo"
wait
demo=""

# Files of the system, each with the names dpkg may know it by: as written
# (with ./.. removed), with its links resolved, and on either side of the
# merged /usr (packages still ship /lib/x/libc.so.6 that is read as /usr/lib/...).
sort -u "$work/files" | grep -v -e "^$root/" -e "^$build/" >"$work/read"
xargs realpath -ms -- <"$work/read" >"$work/written"
xargs realpath -m -- <"$work/read" >"$work/resolved"
paste "$work/written" "$work/resolved" | awk -F'\t' '
function names(file, name) {
  print file "\t" name
  if (name ~ /^\/usr\/(bin|sbin|lib|lib32|lib64|libx32)\//) print file "\t" substr(name, 5)
  else if (name ~ /^\/(bin|sbin|lib|lib32|lib64|libx32)\//) print file "\t/usr" name
}
$1 ~ /^\/(usr|bin|sbin|lib|lib32|lib64|libx32|opt)\// { names($1, $1); names($1, $2) }' | sort -u >"$work/names"
[ "$(cut -f1 "$work/names" | sort -u | wc -l)" -gt 100 ] || fail "too few files found to judge"
cut -f2 "$work/names" | sort -u | xargs dpkg-query -S 2>/dev/null | grep -v '^diversion by' >"$work/owners" || true

# The packages a fresh machine has after `apt-get install --no-install-recommends`
# of the list: the list and what it depends on (of alternatives, the first
# one installed here), with what every Debian system has.
dpkg-query -W -f='${db:Status-Abbrev}\t${Package}\t${Essential}\t${Priority}\t${Pre-Depends}, ${Depends}\t${Provides}\n' \
  >"$work/status"
for p in "${listed[@]}"; do
  awk -F'\t' -v p="$p" '$1 ~ /^.i/ && $2 == p { found = 1 } END { exit !found }' "$work/status" ||
    fail "$p (packages-run.txt) is not installed: scripts/setup.sh run"
done
awk -F'\t' -v listed="${listed[*]}" '
function bare(name) { sub(/\(.*/, "", name); gsub(/[ \t]/, "", name); sub(/:.*/, "", name); return name }
$1 ~ /^.i/ {
  installed[$2] = 1
  depends[$2] = $5
  if ($3 == "yes" || $4 == "required") seed[$2] = 1
  n = split($6, provides, ",")
  for (i = 1; i <= n; ++i) { v = bare(provides[i]); if (v != "" && !(v in provider)) provider[v] = $2 }
}
END {
  n = split(listed, names, " ")
  for (i = 1; i <= n; ++i) seed[names[i]] = 1
  for (p in seed) if (p in installed) { queue[++count] = p; reached[p] = 1 }
  for (q = 1; q <= count; ++q) {
    groups = split(depends[queue[q]], group, ",")
    for (g = 1; g <= groups; ++g) {
      alternatives = split(group[g], alternative, "|")
      for (a = 1; a <= alternatives; ++a) {
        name = bare(alternative[a])
        pick = (name in installed) ? name : ((name in provider) ? provider[name] : "")
        if (pick == "") continue
        if (!(pick in reached)) { reached[pick] = 1; queue[++count] = pick }
        break
      }
    }
  }
  for (p in reached) print p
}' "$work/status" >"$work/closure"

# Each file must be owned by a package of that set; locales are generated.
awk -F'\t' -v closure="$work/closure" -v ownerFile="$work/owners" '
BEGIN {
  while ((getline p < closure) > 0) allowed[p] = 1
  while ((getline line < ownerFile) > 0) {
    at = index(line, ": /")
    path = substr(line, at + 2)
    n = split(substr(line, 1, at - 1), packages, ", ")
    for (i = 1; i <= n; ++i) { sub(/:.*/, "", packages[i]); owner[path] = owner[path] " " packages[i] }
  }
}
{
  files[$1] = 1
  n = split(owner[$2], packages, " ")
  for (i = 1; i <= n; ++i) {
    if (($1, packages[i]) in has) continue
    has[$1, packages[i]] = 1
    owned[$1] = owned[$1] " " packages[i]
  }
}
END {
  for (file in files) {
    ++total
    if (!(file in owned)) {
      if (file !~ /^\/usr\/lib\/locale\//) unowned = unowned "\n    " file
      continue
    }
    n = split(owned[file], packages, " ")
    ok = 0
    for (i = 1; i <= n; ++i) if (packages[i] in allowed) ok = 1
    if (!ok) missing[owned[file]] = missing[owned[file]] "\n    " file
  }
  if (unowned != "") { print "read, but from no package (a fresh machine does not have them):" unowned; bad = 1 }
  for (p in missing) { print "read, but from packages that packages-run.txt does not install (" substr(p, 2) "):" missing[p]; bad = 1 }
  if (bad) exit 1
  printf "check_run_packages: the %d system files that building and running rtg read come from packages that packages-run.txt installs\n", total
}' "$work/names" || fail "packages-run.txt is not enough for the demo (above)"
