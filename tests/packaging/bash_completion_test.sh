#!/usr/bin/env bash
# The bash completion of kelvorad, run in bash as the shell would: commands, options, the
# menu items of --check and the templates read from the built program's help texts, and
# input files by extension.
# Arguments: COMPLETION_SCRIPT FOLDER_OF_KELVORAD
completion=$1
PATH=$2:$PATH
scratch=$(mktemp -d /tmp/kelvorad-completion-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 1
touch a.mi B.MI c.tsv d.csv e.txt f.xlsx g.xls h.ods notes.pdf picture.png run.grf
mkdir runs
# shellcheck source=/dev/null
source "$completion"

failures=0
# expect "WORDS OF THE LINE" "SORTED, SPACE-SEPARATED CANDIDATES": the last word is completed.
expect() {
  local -a COMP_WORDS
  read -r -a COMP_WORDS <<<"$1"
  [[ $1 == *' ' ]] && COMP_WORDS+=("")
  local COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _kelvorad kelvorad "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}" 2>/dev/null
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ')
  got=${got% }
  if [ "$got" != "$2" ]; then
    echo "FAIL: '$1' completed to '$got', not '$2'"
    failures=$((failures + 1))
  fi
}

expect "kelvorad " "B.MI a.mi calc plot runs"
expect "kelvorad --v" "--version"
expect "kelvorad calc " "B.MI a.mi c.tsv d.csv e.txt f.xlsx g.xls h.ods runs"
expect "kelvorad calc a.mi --check Fe3" "Fe3Carmichael Fe3Droop Fe3Stormer"
expect "kelvorad calc a.mi --check BH88T" "BH88TestforTO"
expect "kelvorad calc a.mi --fe3 " "carmichael droop stormer"
expect "kelvorad calc a.mi --pl" "--plot-dir"
expect "kelvorad calc a.mi --unc" "--uncertainty"
expect "kelvorad calc a.mi --sigma" "--sigma --sigma-floor --sigma-rel"
expect "kelvorad calc a.mi --uncertainty " ""
expect "kelvorad calc a.mi --uncertainty 100 --sigma n" "notes.pdf"
expect "kelvorad calc a.mi --plot-dir " "runs"
expect "kelvorad calc --ve" "--version"
expect "kelvorad plot --format " "pdf png svg"
expect "kelvorad plot --template TD" "TDeltaNNO"
expect "kelvorad plot --template ru" "run.grf runs"
expect "kelvorad plot --la" "--labels"
[ "$failures" -eq 0 ] && echo "bash completion: all cases complete as expected"
exit "$failures"
