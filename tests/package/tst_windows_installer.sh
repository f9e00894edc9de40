#!/usr/bin/env bash
# The Windows installer under Wine, in a scratch Wine prefix and a virtual display: a silent
# install for the current user (no administrator rights asked), its uninstall entry, its
# Start-menu shortcut, the DLLs the installed programs import; the shortcut's program started in
# the shortcut's working folder compiles the demo flight; an install while the program runs
# changes nothing; an upgrade (a second installer with changed templates) keeps the pilot's
# talvo.ini, templates and adventures; the uninstall removes the program and leaves the pilot's
# files. Then the portable zip started from a folder of its own works in that folder.
# Skipped (exit 77) without wine, makensis, Xvfb or xdotool, or without a Windows build.
#
# usage: tst_windows_installer.sh WINDOWS_BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source_dir=$(readlink -f "$2")
here=$(dirname "$(readlink -f "$0")")
for tool in cpack makensis wine wineserver winepath Xvfb xdotool xwininfo python3 unzip; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
if ! grep -qs 'CPACK_GENERATOR "NSIS;ZIP"' "$build/CPackConfig.cmake"; then
    echo "SKIP: no Windows build in $build (scripts/build-windows.sh makes one)"
    exit 77
fi
build=$(readlink -f "$build")
source "$source_dir/scripts/pilot-driver.sh"
scratch=$(mktemp -d /tmp/talvo-wininstall.XXXXXX)
cleanup() {
    pilot_stop
    wineserver -k 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() { pilot_fail "$*"; }
step() { echo "$(date +%T) $*"; }

# Wine in a prefix of its own, without its .NET and browser installers and without menu entries
# on this machine's desktop.
export HOME=$scratch/home WINEPREFIX=$scratch/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WINEARCH
mkdir -p "$HOME"
# unix_path WINDOWS_PATH
unix_path() { winepath -u "$1" 2>/dev/null; }
windows_path() { winepath -w "$1" 2>/dev/null; }
# A Windows environment variable's value, as the installer sees it.
windows_variable() { wine cmd /c "echo %$1%" 2>/dev/null | tr -d '\r'; }
reg_value() { # KEY NAME: the value's data, or nothing
    wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z]* *//p"
}

step "building the installer"
cpack -G NSIS --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null
installer=$(ls "$scratch"/package/Talvo2003-*-win64.exe)
version=$(basename "$installer" | sed 's/^Talvo2003-\(.*\)-win64\.exe$/\1/')
# No administrator rights: the installer's manifest asks to run as the user who started it.
grep -qa 'level="asInvoker"' "$installer" || fail "the installer asks for more than the user's rights"

# The next version's installer: the same files with both templates changed.
nsis=$scratch/package/_CPack_Packages/win64/NSIS
staged=$nsis/Talvo2003-$version-win64
next=$scratch/next
cp -r "$staged" "$next"
printf 'rem next opening\r\n' >>"$next/defaults/lib/Talvo.abl"
printf 'rem next closing\r\n' >>"$next/defaults/lib/Talvo2.abl"
sed -e "s|^\( *!define INST_DIR \).*|\1\"$next\"|" \
    -e "s|^OutFile .*|OutFile \"$scratch/next-installer.exe\"|" "$nsis/project.nsi" >"$scratch/next.nsi"
makensis -V1 "$scratch/next.nsi" >/dev/null || fail "makensis could not build the next installer"

step "preparing a Wine prefix"
wineboot -i >/dev/null 2>&1
wineserver -w
pilot_start_display
pilot_start_window_manager

step "installing"
wine "$installer" /S || fail "the silent install ended with status $?"
program_folder=$(unix_path "$(windows_variable LOCALAPPDATA)\\Programs\\Talvo 2003")
[[ -f "$program_folder/talvo.exe" && -f "$program_folder/talvo-check.exe" ]] ||
    fail "talvo.exe or talvo-check.exe is not in $program_folder"
"$here/windows-imports.sh" "$program_folder" || fail "an installed program lacks a DLL"

uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Talvo 2003'
uninstaller=$(reg_value "$uninstall_key" UninstallString)
[[ "$(unix_path "${uninstaller//\"/}")" == "$program_folder/Uninstall.exe" ]] ||
    fail "the uninstall entry names \"$uninstaller\""
[[ "$(reg_value "$uninstall_key" DisplayVersion)" == "$version" ]] ||
    fail "the uninstall entry's version is not $version"
if wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Talvo 2003' \
    >/dev/null 2>&1; then
    fail "the install wrote into the machine's list of programs"
fi

# The shortcut: the installed program, started in the pilot's Talvo folder.
shortcut="$(unix_path "$(windows_variable APPDATA)")/Microsoft/Windows/Start Menu/Programs/Talvo 2003.lnk"
[[ -f "$shortcut" ]] || fail "no Start-menu shortcut"
{ read -r target && read -r working; } < <(python3 "$here/read-shortcut.py" "$shortcut")
[[ "$(unix_path "$target")" == "$program_folder/talvo.exe" ]] || fail "the shortcut starts $target"
work=$(unix_path "$working")
[[ -n "$working" && "$work" != "$program_folder"* ]] ||
    fail "the shortcut's working folder is \"$working\""
[[ "$work" == "$(unix_path "$(windows_variable USERPROFILE)\\Documents\\Talvo 2003")" ]] ||
    fail "the working folder is \"$working\", not Documents\\Talvo 2003"
cmp -s "$work/talvo.ini" "$source_dir/data/talvo.ini" || fail "no default talvo.ini in $working"
cmp -s "$work/lib/Talvo.abl" "$source_dir/data/lib/Talvo.abl" || fail "lib\\Talvo.abl not prepared"
cmp -s "$work/lib/Talvo2.abl" "$source_dir/data/lib/Talvo2.abl" || fail "lib\\Talvo2.abl not prepared"

# start_program FOLDER EXE: the program, as the shortcut starts it, on the virtual display.
start_program() {
    PILOT_LOG=$scratch/messages.log
    PILOT_FOCUS_LOG=$scratch/focus.log
    : >"$PILOT_LOG"
    : >"$PILOT_FOCUS_LOG"
    PILOT_MESSAGES_SEEN=0
    (cd "$1" && exec env TALVO_MESSAGE_LOG="$(windows_path "$PILOT_LOG")" \
        TALVO_FOCUS_LOG="$(windows_path "$PILOT_FOCUS_LOG")" wine "$2") &
    PILOT_PID=$!
}

# Ends every Windows process of the prefix (the program, Wine's desktop), then the display.
stop_wine() {
    wineserver -k 2>/dev/null || true
    pilot_stop
}

step "starting the shortcut's program"
start_program "$work" "$target"
pilot_window "$SETUP" >/dev/null
stop_wine

# The demo flight in the simulator's saved-flights folder, named in the pilot's talvo.ini.
sim="$(unix_path "$(windows_variable USERPROFILE)\\Documents")/Flight Simulator Files"
mkdir -p "$sim"
cp "$source_dir/data/demo/Flight Simulator Files/"* "$sim/"
printf '%s\\\r\n' "$(windows_path "$sim")" >"$work/talvo.ini"
cp "$work/talvo.ini" "$scratch/pilot.ini"

step "compiling the demo flight"
pilot_start_display
pilot_start_window_manager
start_program "$work" "$target"
pilot_click "$MAIN" "${MAIN_LOAD[@]}"
pilot_message "Flight Plan KSEA-PANC Loaded"
pilot_click "$COMPILER" "${B747_COMPILE[@]}"
# The shipped templates still hold the placeholders of the simulator's names.
pilot_accept_message
[[ "$PILOT_LAST_MESSAGE" == *"is a placeholder"* ]] || fail "the compile said: $PILOT_LAST_MESSAGE"
grep -q 'ABLSCRIPT=LIB\\KSEA-PANC' "$work/KSEA-PANC.flt" || fail "no adventure flight in $working"
[[ -s "$work/lib/KSEA-PANC.abl" ]] || fail "no adventure script in $working\\lib"

step "installing while the program runs"
before=$(cd "$program_folder" && find . -type f -exec sha256sum {} + | sort)
status=0
wine "$scratch/next-installer.exe" /S || status=$?
[[ $status -eq 2 ]] || fail "an install while the program ran ended with status $status, not 2"
[[ "$(cd "$program_folder" && find . -type f -exec sha256sum {} + | sort)" == "$before" ]] ||
    fail "an install while the program ran changed the installed files"
[[ ! -e "$work/lib/Talvo.abl.new" ]] || fail "an install while the program ran prepared templates"
pilot_click "$COMPILER" "${B747_EXIT[@]}"
pilot_wait_exit || fail "the program ended with status $?"
stop_wine

step "upgrading"
printf 'rem my own closing\r\n' >"$work/lib/Talvo2.abl"
cp "$work/lib/Talvo2.abl" "$scratch/pilot-closing.abl"
adventures=$(cd "$work" && sha256sum KSEA-PANC.flt KSEA-PANC.pln lib/KSEA-PANC.abl)
wine "$scratch/next-installer.exe" /S || fail "the upgrade ended with status $?"
cmp -s "$work/talvo.ini" "$scratch/pilot.ini" || fail "the upgrade replaced the pilot's talvo.ini"
cmp -s "$work/lib/Talvo.abl" "$next/defaults/lib/Talvo.abl" ||
    fail "the template the pilot never changed was not brought up to date"
[[ ! -e "$work/lib/Talvo.abl.new" ]] || fail "an unchanged template got a new version beside it"
cmp -s "$work/lib/Talvo2.abl" "$scratch/pilot-closing.abl" ||
    fail "the upgrade replaced the pilot's own template"
cmp -s "$work/lib/Talvo2.abl.new" "$next/defaults/lib/Talvo2.abl" ||
    fail "the new version of the pilot's template is not beside it as lib\\Talvo2.abl.new"
[[ "$(cd "$work" && sha256sum KSEA-PANC.flt KSEA-PANC.pln lib/KSEA-PANC.abl)" == "$adventures" ]] ||
    fail "the upgrade changed the pilot's adventure"
cmp -s "$program_folder/defaults/lib/Talvo2.abl" "$next/defaults/lib/Talvo2.abl" ||
    fail "the upgrade did not install the new files"
# Installing the same version again puts nothing more beside the pilot's template.
rm "$work/lib/Talvo2.abl.new"
wine "$scratch/next-installer.exe" /S || fail "installing again ended with status $?"
[[ ! -e "$work/lib/Talvo2.abl.new" ]] || fail "installing the same version again made a .new"

step "uninstalling"
pilot_files=$(cd "$work" && find . -type f -exec sha256sum {} + | sort)
wine "$program_folder/Uninstall.exe" /S || fail "the uninstall ended with status $?"
wineserver -w
[[ ! -e "$program_folder" ]] || fail "the uninstall left $(cd "$program_folder" && find . | head -5)"
[[ ! -e "$shortcut" ]] || fail "the uninstall left the shortcut"
if wine reg query "$uninstall_key" >/dev/null 2>&1; then
    fail "the uninstall left its entry in the list of programs"
fi
[[ "$(cd "$work" && find . -type f -exec sha256sum {} + | sort)" == "$pilot_files" ]] ||
    fail "the uninstall changed the pilot's files"

step "starting the portable zip from a folder of its own"
cpack -G ZIP --config "$build/CPackConfig.cmake" -B "$scratch/zip" >/dev/null
portable="$(unix_path "$(windows_variable USERPROFILE)\\Desktop")/Portable Zoë"
mkdir -p "$portable"
unzip -q "$scratch"/zip/Talvo2003-*-win64.zip -d "$scratch/unzipped"
mv "$scratch"/unzipped/Talvo2003-*-win64/* "$portable/"
pilot_start_display
pilot_start_window_manager
start_program "$portable" "$(windows_path "$portable/talvo.exe")"
# With the shipped talvo.ini ("none") the program opens on its setup window.
pilot_window "$SETUP" >/dev/null
stop_wine
[[ ! -e "$work/talvo.ini.talvo-tmp" ]] || fail "a temporary file was left in the working folder"
echo "PASS: $(basename "$installer") installs, starts, compiles, upgrades and uninstalls under Wine"
