#!/usr/bin/env bash
# The installed program works from its install prefix alone: installs the build into a fresh
# prefix, moves the prefix elsewhere, and runs the programs there from a folder outside the
# source and build trees, with an environment that names neither.
# Arguments: BUILD_TREE CMAKE VERSION gui|nogui
set -euo pipefail
build=$1 cmake=$2 version=$3 windows=$4
scratch=$(mktemp -d /tmp/kelvorad-installed-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$scratch/first" > "$scratch/install.log"

# The manual page names the data folder of the prefix it was installed into.
if [ -f "$scratch/first/share/man/man1/kelvorad.1" ]; then
  page=$scratch/first/share/man/man1/kelvorad.1
  grep -q "$scratch/first/share/kelvorad/help/kelvorad.html" "$page" ||
    fail "the manual page does not name the installed manual"
  grep -q '^\.SH "CALC COMMAND"' "$page" && grep -q '^\.SH "PLOT COMMAND"' "$page" ||
    fail "the manual page lacks the calc and plot commands"
  ! grep -q KELVORADDATAFOLDER "$page" || fail "the manual page kept its placeholder"
fi

# From here on the prefix lives somewhere else: nothing may depend on where it was installed.
prefix=$scratch/moved
mv "$scratch/first" "$prefix"
wanted=(bin/kelvorad lib/kelvorad/libkelvorad_workbook_files.so lib/kelvorad/kelvorad-read-workbook share/kelvorad/help/kelvorad.html
  share/kelvorad/examples/natural-pairs.csv share/kelvorad/examples/fe-ti-oxide-pairs.mi
  share/kelvorad/templates/TDeltaNNO.grf share/kelvorad/templates/XUspXIlmIsothermsGE08model.dat
  share/bash-completion/completions/kelvorad)
if [ "$windows" = gui ]; then
  wanted+=(bin/kelvorad-window share/applications/org.kelvorad.Kelvorad.desktop
    share/mime/packages/kelvorad.xml share/metainfo/org.kelvorad.Kelvorad.metainfo.xml
    share/icons/hicolor/scalable/apps/org.kelvorad.Kelvorad.svg
    share/icons/hicolor/16x16/apps/org.kelvorad.Kelvorad.png
    share/icons/hicolor/256x256/apps/org.kelvorad.Kelvorad.png
    share/icons/hicolor/48x48/mimetypes/application-x-kelvorad-analysis.png)
fi
for file in "${wanted[@]}"; do [ -f "$prefix/$file" ] || fail "not installed: $file"; done

mkdir "$scratch/work" "$scratch/home" "$scratch/runtime"
chmod 700 "$scratch/runtime"
cd "$scratch/work"
# A clean environment; a sanitizer build keeps its sanitizer settings.
clean_environment=(PATH=/usr/bin:/bin HOME="$scratch/home" LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen
  XDG_RUNTIME_DIR="$scratch/runtime")
for name in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
  [ -z "${!name:-}" ] || clean_environment+=("$name=${!name}")
done
installed() { env -i "${clean_environment[@]}" "$prefix/bin/$@"; }

line=$(installed kelvorad --version)
[[ $line =~ ^kelvorad\ ${version//./\\.}(\ \(git\ [0-9a-f]+(-dirty)?\))?$ ]] ||
  fail "kelvorad --version printed '$line'"
installed kelvorad --help | grep -qF "The user manual: $prefix/share/kelvorad/help/kelvorad.html" ||
  fail "kelvorad --help does not name the installed manual"

installed kelvorad calc "$prefix/share/kelvorad/examples/natural-pairs.csv" \
  --table results.tsv --xlsx Output.xlsx > summary.txt 2> notices.txt
[ "$(wc -l < results.tsv)" -eq 35 ] || fail "results.tsv has not 2 header rows and 33 pairs"
[ ! -s notices.txt ] || fail "the natural pairs were read with notices: $(cat notices.txt)"
[ "$(head -c 2 Output.xlsx)" = PK ] || fail "Output.xlsx was not written by the workbook library"
[ "$(ls ./*.dat | wc -l)" -eq 7 ] || fail "the seven plot data files were not written"

installed kelvorad plot --template TDeltaNNO --format png --out images > /dev/null
[ "$(head -c 4 images/TDeltaNNO.png | tail -c 3)" = PNG ] || fail "no PNG graph"

if [ "$windows" = gui ]; then
  report=$(timeout 60 env -i "${clean_environment[@]}" "$prefix/bin/kelvorad" --quit-after-start \
    "$prefix/share/kelvorad/examples/fe-ti-oxide-pairs.mi") || fail "the windows did not start and end"
  [[ $report == *'main window shown'*'first sample "KV-01 Mt"'*'icon: 8 sizes'* ]] ||
    fail "the window reported '$report'"
  [[ $report == *"help: $prefix/share/kelvorad/help/kelvorad.html" ]] ||
    fail "Help would not open the installed manual: '$report'"
  line=$(installed kelvorad-window --version)
  [[ $line == "kelvorad-window $version"* ]] || fail "kelvorad-window --version printed '$line'"
fi
echo "installed tree works from $prefix"
