#!/usr/bin/env bash
# camtivo-cli's bash completion as a user meets it: commands, each command's options, the
# values of --security, --dhcp and --channel (also after "="), file names after --batch, and
# nothing offered for free text. Every option --help names must be offered by one command.
#   check_completion.sh COMPLETION_FILE CAMTIVO_CLI
set -uo pipefail
completion=$1 cli=$2
source /usr/share/bash-completion/bash_completion
source "$completion"
failed=0

# Completes the last word of the line as bash would, with the words split as bash splits them
# ("--security=w" is three words: "--security", "=", "w").
complete_words() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMP_LINE="$*"
  COMP_LINE=${COMP_LINE// = /=}
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _camtivo_cli camtivo-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}" 2>/dev/null
  printf '%s\n' "${COMPREPLY[@]}" | sort | xargs
}

check() { # EXPECTED WORD...
  local expected=$1
  shift
  local got
  got=$(complete_words camtivo-cli "$@")
  if [ "$got" != "$expected" ]; then
    echo "FAIL: camtivo-cli $* -> '$got', expected '$expected'" >&2
    failed=1
  fi
}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
touch "$tmp/cameras.csv" "$tmp/notes.txt"

check "--help --version save search timezones" ""
check "search" se
check "--seconds --security" save --se
check "--csv" search --c
check "wep128 wep64 wpa" save --security w
check "wep128" save --security = wep1
check "off on" save --dhcp ""
check "1 10 11" save --channel 1
check "$tmp/cameras.csv" save --batch "$tmp/c"
check "$tmp/notes.txt" save --wpa-passphrase-file = "$tmp/n"
check "--password --password-file" save --passw
check "" save --mac ""
check "" save --password ""
check "" frobnicate --

# Every option of the help is offered after "search -" or "save -".
offered=" $(complete_words camtivo-cli search -) $(complete_words camtivo-cli save -) --version "
for option in $("$cli" --help | grep -oE '^ +(-h, )?--[a-z0-9-]+' | grep -oE -- '--[a-z0-9-]+' | sort -u); do
  if [[ $offered != *" $option "* ]]; then
    echo "FAIL: --help names $option, which completion does not offer" >&2
    failed=1
  fi
done
[ $failed -eq 0 ] && echo "completion checks passed"
exit $failed
