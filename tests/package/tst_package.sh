#!/usr/bin/env bash
# The Debian package: built by CPack from this build, checked by lintian (nothing above info
# level), installed with dpkg into a scratch root, and the installed program started there
# through its launcher: on the first start it prepares the pilot's working folder and opens on
# the setup window; the pilot's own files are kept. Without lintian every other check still runs
# and the test then reports itself skipped.
#
# usage: tst_package.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(readlink -f "$1")
source_dir=$(readlink -f "$2")
for tool in cpack dpkg dpkg-deb Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
source "$source_dir/scripts/pilot-driver.sh"
scratch=$(mktemp -d /tmp/talvo-package.XXXXXX)
trap 'pilot_stop; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null
package=$(ls "$scratch"/package/talvo_*.deb)
contents=$(dpkg-deb -c "$package" | sed -E 's/^([^ ]+ +){5}//')
for file in ./usr/bin/talvo ./usr/libexec/talvo/talvo ./usr/share/applications/talvo.desktop \
    ./usr/share/icons/hicolor/256x256/apps/talvo.png ./usr/share/icons/hicolor/16x16/apps/talvo.png \
    ./usr/share/talvo/talvo.ini ./usr/share/talvo/lib/Talvo.abl ./usr/share/talvo/lib/Talvo2.abl \
    "./usr/share/talvo/demo/Flight Simulator Files/Talvo.FLT" ./usr/share/doc/talvo/copyright \
    ./usr/share/doc/talvo/changelog.gz ./usr/share/man/man1/talvo.1.gz \
    ./usr/share/man/man1/talvo-check.1.gz; do
    grep -qxF "$file" <<<"$contents" || fail "the package lacks $file"
done
[[ "$(dpkg-deb -f "$package" Section)" == utils ]] || fail "the package's section is not utils"

lintian_skipped=""
if command -v lintian >/dev/null; then
    # lintian's tags above info level: E (error), W (warning); I, P and X are below.
    report=$(lintian --display-info --pedantic "$package" 2>&1) || true
    echo "$report"
    if grep -E '^[EW]: ' <<<"$report"; then
        fail "lintian reports errors or warnings"
    fi
else
    lintian_skipped="lintian is not installed (scripts/install-deps.sh --test installs it)"
fi

if command -v desktop-file-validate >/dev/null; then
    dpkg-deb -x "$package" "$scratch/contents"
    desktop-file-validate "$scratch/contents/usr/share/applications/talvo.desktop" ||
        fail "the desktop entry is not valid"
fi

# Every dependency the package names is one this machine has.
dpkg-deb -f "$package" Depends | tr ',' '\n' | while read -r clause; do
    met=false
    for alternative in ${clause//|/ }; do
        [[ "$alternative" == \(* || "$alternative" == *\) || "$alternative" == ">="* ]] && continue
        dpkg-query -W -f='${Status}' "$alternative" 2>/dev/null | grep -q "install ok installed" &&
            met=true
    done
    $met || fail "the dependency \"$clause\" is not installed here"
done

root=$scratch/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --force-not-root --force-script-chrootless --log=/dev/null \
    -i "$package" >/dev/null 2>&1 || fail "dpkg could not install the package"
dpkg --root="$root" -s talvo | grep -q "Status: install ok installed" || fail "not installed"

version=$(dpkg-deb -f "$package" Version)
[[ "$("$root/usr/bin/talvo" --version)" == "talvo $version" ]] ||
    fail "talvo --version does not say $version"
# talvo-check comes with the script checker; until then only its manual page is packaged.
if [[ -e "$root/usr/bin/talvo-check" ]]; then
    "$root/usr/bin/talvo-check" --version >/dev/null || fail "talvo-check --version failed"
fi

export HOME=$scratch/home
unset XDG_DATA_HOME XDG_CONFIG_HOME WINEPREFIX
mkdir -p "$HOME"
work=$HOME/.local/share/talvo
pilot_start_display
pilot_start_program "$root/usr/bin/talvo" "$scratch" "$scratch/messages.log"
pilot_window "$SETUP" >/dev/null
printf 'none\r\n' | cmp -s - "$work/talvo.ini" || fail "the working folder has no default talvo.ini"
cmp -s "$work/lib/Talvo.abl" "$source_dir/data/lib/Talvo.abl" || fail "lib/Talvo.abl not copied"
cmp -s "$work/lib/Talvo2.abl" "$source_dir/data/lib/Talvo2.abl" || fail "lib/Talvo2.abl not copied"
pilot_stop

# Second start: the pilot's own talvo.ini and templates are kept, whatever their letter case.
printf '/somewhere/Flight Simulator Files\\\r\n' >"$work/talvo.ini"
mv "$work/lib/Talvo.abl" "$work/lib/talvo.abl"
printf 'my own closing template\r\n' >"$work/lib/Talvo2.abl"
pilot_start_display
pilot_start_program "$root/usr/bin/talvo" "$scratch" "$scratch/messages.log"
pilot_window "$MAIN" >/dev/null
printf '/somewhere/Flight Simulator Files\\\r\n' | cmp -s - "$work/talvo.ini" ||
    fail "the pilot's talvo.ini was overwritten"
[[ ! -e "$work/lib/Talvo.abl" ]] || fail "a second opening template was copied beside talvo.abl"
grep -q "my own closing template" "$work/lib/Talvo2.abl" || fail "the pilot's template was replaced"
pilot_stop

# Under Wine: the saved-flights folder of a Wine prefix named as the working folder. The setup
# window opens on the prefix's C: drive, and a compile writes the adventure beside Talvo.FLT.
prefix=$HOME/.wine
sim="$prefix/drive_c/users/pilot/Documents/Flight Simulator Files"
mkdir -p "$prefix/dosdevices" "$sim"
ln -s ../drive_c "$prefix/dosdevices/c:"
ln -s / "$prefix/dosdevices/z:"
cp "$source_dir/data/demo/Flight Simulator Files/"* "$sim/"
pilot_start_display
pilot_start_program "$root/usr/bin/talvo" "$scratch" "$scratch/messages.log" --working-folder "$sim"
pilot_open_folder "users/pilot/Documents/Flight Simulator Files"
pilot_click "$SETUP" "${SETUP_SET_PATH[@]}"
pilot_window "$MAIN" >/dev/null
printf '%s\\\r\n' "$sim" | cmp -s - "$sim/talvo.ini" || fail "talvo.ini does not hold $sim"
pilot_click "$MAIN" "${MAIN_LOAD[@]}"
pilot_message "Flight Plan KSEA-PANC Loaded"
pilot_type_into "$COMPILER" "${B747_TEXT4[@]}" 33000
pilot_click "$COMPILER" "${B747_COMPILE[@]}"
# The installed templates still hold the placeholders of the simulator's names.
pilot_accept_message
[[ "$PILOT_LAST_MESSAGE" == *"SimVar_IndicatedAirspeed in lib\Talvo.abl line"*"is a placeholder"* ]] ||
    fail "the compile said: $PILOT_LAST_MESSAGE"
# The plan and its working copy are one file here: rewritten, not lost.
cmp -s "$sim/KSEA-PANC.pln" "$source_dir/tests/e2e/expected/KSEA-PANC.pln" ||
    fail "the flight plan in the working folder is not the rewritten plan"
grep -q 'ABLSCRIPT=LIB\\KSEA-PANC' "$sim/KSEA-PANC.flt" || fail "no adventure flight beside Talvo.FLT"
[[ -s "$sim/lib/KSEA-PANC.abl" ]] || fail "no adventure script in the saved-flights folder's lib/"
pilot_click "$COMPILER" "${B747_EXIT[@]}"
pilot_wait_exit || fail "the program ended with status $?"

if [[ -n "$lintian_skipped" ]]; then
    echo "SKIP: $lintian_skipped; every other check of $(basename "$package") passed"
    exit 77
fi
echo "PASS: $(basename "$package") is lintian-clean, installs and starts on the setup window"
