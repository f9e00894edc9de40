#!/usr/bin/env bash
# The launcher, as installed beside a stand-in program that records the folder it was started
# in: its options, its refusal without a display, the choice of the working folder, and how it
# prepares that folder and refreshes the templates in it.
#
# usage: tst_launcher.sh LAUNCHER SOURCE_DIR VERSION
set -euo pipefail
launcher=$(readlink -f "$1")
source_dir=$(readlink -f "$2")
version=$3
scratch=$(mktemp -d /tmp/talvo-launcher.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*" >&2
    for file in out err; do
        [[ -s "$scratch/$file" ]] && { echo "std$file:"; cat "$scratch/$file"; } >&2
    done
    exit 1
}

# The installed layout: bin/talvo, share/talvo, libexec/talvo/talvo.
usr=$scratch/usr
shipped=$usr/share/talvo
mkdir -p "$usr/bin" "$shipped/lib" "$usr/libexec/talvo"
cp "$launcher" "$usr/bin/talvo"
cp "$source_dir/data/talvo.ini" "$shipped/"
cp "$source_dir/data/lib/Talvo.abl" "$source_dir/data/lib/Talvo2.abl" "$shipped/lib/"
ran=$scratch/ran
printf '#!/bin/sh\npwd >"%s"\n' "$ran" >"$usr/libexec/talvo/talvo"
chmod +x "$usr/bin/talvo" "$usr/libexec/talvo/talvo"

export HOME=$scratch/home
unset XDG_CONFIG_HOME XDG_DATA_HOME WAYLAND_DISPLAY QT_QPA_PLATFORM
export DISPLAY=:99 # the stand-in program needs none
mkdir -p "$HOME"
per_user=$HOME/.local/share/talvo
remembered=$HOME/.config/talvo/working-folder

# start FOLDER [ARGUMENT...]: runs the launcher in FOLDER; sets status, out and err.
start() {
    local folder=$1
    shift
    rm -f "$ran"
    status=0
    (cd "$folder" && "$usr/bin/talvo" "$@") >"$scratch/out" 2>"$scratch/err" || status=$?
    out=$(cat "$scratch/out")
    err=$(cat "$scratch/err")
}
ran_in() { # FOLDER: the program ran, in FOLDER, and the launcher said nothing on stderr
    [[ $status -eq 0 && -f "$ran" ]] || fail "the program did not run (status $status)"
    [[ "$(cat "$ran")" == "$1" ]] || fail "the program ran in $(cat "$ran"), not in $1"
}
not_run() { # STATUS: the launcher ended with STATUS without starting the program
    [[ $status -eq $1 ]] || fail "status $status, expected $1"
    [[ ! -e "$ran" ]] || fail "the program was started"
}
same() { cmp -s "$1" "$2" || fail "$1 differs from $2"; }

# --help and --version answer in the terminal, without a display too.
start "$HOME" --help
not_run 0
[[ "$out" == *"Usage: talvo [--working-folder FOLDER]"* && "$out" == *--version* ]] ||
    fail "--help printed: $out"
start "$HOME" --version
not_run 0
[[ "$out" == "talvo $version" ]] || fail "--version printed \"$out\", expected \"talvo $version\""
(unset DISPLAY && start "$HOME" --version && not_run 0)
start "$HOME" --fly
not_run 2
[[ "$err" == *'"--fly"'* ]] || fail "an unknown argument was not named: $err"
start "$HOME" --working-folder
not_run 2
[[ ! -e "$per_user" ]] || fail "a refused start prepared a working folder"

# Without a display: one line on stderr and a failure, and nothing prepared; a headless Qt
# platform is the caller's choice.
for platform in "" xcb "wayland;xcb"; do
    (
        unset DISPLAY
        [[ -z "$platform" ]] || export QT_QPA_PLATFORM=$platform
        start "$HOME"
        not_run 1
        [[ $(wc -l <"$scratch/err") -eq 1 && "$err" == *"no display"* ]] ||
            fail "without a display (QT_QPA_PLATFORM=$platform) it said: $err"
    ) || exit 1
done
[[ ! -e "$per_user" ]] || fail "a start without a display prepared a working folder"
(unset DISPLAY && export QT_QPA_PLATFORM=offscreen && start "$HOME" && ran_in "$per_user")

# First start: the per-user folder, with the default talvo.ini and the templates.
rm -rf "$per_user"
start "$HOME"
ran_in "$per_user"
[[ -z "$err" ]] || fail "the first start said: $err"
same "$per_user/talvo.ini" "$shipped/talvo.ini"
same "$per_user/lib/Talvo.abl" "$shipped/lib/Talvo.abl"
same "$per_user/lib/Talvo2.abl" "$shipped/lib/Talvo2.abl"

# The current folder, when it holds talvo.ini and lib/ (in any letter case), prepared the same.
current=$scratch/current
mkdir -p "$current/LIB"
printf 'C:\\mine\\Flight Simulator Files\\\r\n' >"$current/TALVO.INI"
start "$current"
ran_in "$current"
[[ ! -e "$current/talvo.ini" && ! -e "$current/lib" ]] || fail "talvo.ini or lib/ made twice"
grep -q 'C:\\mine' "$current/TALVO.INI" || fail "the pilot's talvo.ini was replaced"
same "$current/LIB/Talvo.abl" "$shipped/lib/Talvo.abl"
mkdir -p "$scratch/only-ini"
cp "$shipped/talvo.ini" "$scratch/only-ini/"
start "$scratch/only-ini"
ran_in "$per_user"

# A folder the pilot names: made absolute, remembered, prepared, and used from then on.
sim="$HOME/.wine/drive_c/users/pilot/Documents/Flight Simulator Files"
mkdir -p "$sim"
start "$HOME" --working-folder ".wine/drive_c/users/pilot/Documents/Flight Simulator Files"
ran_in "$sim"
[[ "$(cat "$remembered")" == "$sim" ]] || fail "remembered \"$(cat "$remembered")\", not $sim"
[[ "$out" == *"$sim"* ]] || fail "--working-folder did not say which folder: $out"
same "$sim/talvo.ini" "$shipped/talvo.ini"
same "$sim/lib/Talvo2.abl" "$shipped/lib/Talvo2.abl"
start "$current"
ran_in "$sim"
start "$HOME" --working-folder "$current"
ran_in "$current"
rm -rf "$current"
start "$HOME"
not_run 1
[[ "$err" == *"$current"* ]] || fail "a remembered folder that is gone was not named: $err"
rm -f "$remembered"

# Templates after an upgrade: one the pilot never changed (kept under another letter case) is
# refreshed; one the pilot changed stays, with the new version beside it, said once.
cd "$per_user/lib"
mv Talvo.abl talvo.abl
printf 'my own closing\r\n' >Talvo2.abl
start "$HOME"
[[ -z "$err" && ! -e Talvo2.abl.new ]] || fail "a changed template got a copy with no new version"
grep -q 'my own closing' Talvo2.abl || fail "the pilot's template was overwritten"
printf 'opening 2\r\n' >"$shipped/lib/Talvo.abl"
printf 'closing 2\r\n' >"$shipped/lib/Talvo2.abl"
start "$HOME"
ran_in "$per_user"
same talvo.abl "$shipped/lib/Talvo.abl"
[[ ! -e Talvo.abl && ! -e Talvo.abl.new ]] || fail "the unchanged template was not refreshed in place"
grep -q 'my own closing' Talvo2.abl || fail "the pilot's template was overwritten"
same Talvo2.abl.new "$shipped/lib/Talvo2.abl"
[[ "$err" == *"Talvo2.abl.new"* ]] || fail "the new version beside the pilot's was not named: $err"
start "$HOME"
[[ -z "$err" ]] || fail "the second start said again: $err"
# The pilot takes the new version: the copy beside goes, and the next version replaces it.
cp Talvo2.abl.new Talvo2.abl
start "$HOME"
[[ ! -e Talvo2.abl.new ]] || fail "the new version stayed beside a template equal to it"
printf 'closing 3\r\n' >"$shipped/lib/Talvo2.abl"
start "$HOME"
same Talvo2.abl "$shipped/lib/Talvo2.abl"
[[ ! -e Talvo2.abl.new ]] || fail "an unchanged template got a copy beside it"

# A folder without a record (prepared by an earlier launcher): a template equal to the shipped
# one is taken as installed; another is kept, with the new version beside it.
rm templates.sha256
printf 'older closing\r\n' >Talvo2.abl
start "$HOME"
[[ ! -e talvo.abl.new && ! -e Talvo.abl.new ]] || fail "a template equal to the shipped got a copy"
grep -q 'older closing' Talvo2.abl || fail "a template of unknown origin was overwritten"
same Talvo2.abl.new "$shipped/lib/Talvo2.abl"
printf 'opening 3\r\n' >"$shipped/lib/Talvo.abl"
start "$HOME"
same talvo.abl "$shipped/lib/Talvo.abl"
echo "PASS: the launcher's options, working folders and template refreshes"
