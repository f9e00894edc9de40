#!/usr/bin/env bash
# Tries a build's compile the way a pilot's bad day would go, and counts what it loses or claims
# falsely. Uses the test programs compile_once and the fault shim of a build (built by
# scripts/test.sh, or: cmake --build build --target compile_once talvo_faultshim).
#
#   scripts/probe-recovery.sh [BUILD_DIR]
#
# Probes:
#   kill        the compile is killed at each of its renames and syncs (through the fault shim);
#               then the program starts again (compile_once --recover, where the build has it),
#               the pilot makes copies named like the compile's files, and compiles again
#   journal     a planted journal names a file of the pilot's elsewhere; one compile that fails,
#               one that succeeds
#   shared      the working folder is the saved-flights folder and holds a saved flight of the
#               pilot's named like the plan; then three compiles that fail
# Prints one line of counts per probe; exits 0 (it measures, it does not judge).
set -uo pipefail
build=$(cd "${1:-build}" && pwd)
once="$build/tests/compile_once"
shim=$(find "$build/tests" -name 'libtalvo_faultshim.so' | head -1)
[[ -x "$once" && -n "$shim" ]] || { echo "no compile_once or fault shim in $build" >&2; exit 2; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
recovers=0
if "$once" --recover "$scratch\\" >/dev/null 2>&1 && [[ ! -e "$scratch/P.flt" ]]; then
    recovers=1
fi

crlf() { printf '%s\r\n' "$@"; }

# install DIR SAVED: a working folder DIR with the templates, and the saved flight and plan in
# DIR/SAVED.
install() {
    local dir=$1 saved=$2
    mkdir -p "$dir/lib" "$dir/$saved"
    crlf 'module Talvo;' 'var' '  static real nV1, nVr, nV2;' \
        '  static integer CallSpeed, CallList, RateFlight;' 'code' >"$dir/lib/Talvo.abl"
    crlf 'endmodule.' >"$dir/lib/Talvo2.abl"
    crlf '[Main]' 'Title=Seattle departure' 'Description=Gate N3' '[GPS_Engine]' \
        'Filename=FLIGHTS\MYFLTS\P' '[Sim.0]' 'Aircraft=Boeing 747-400 Passengers' \
        '[fuel_quantity]' 'Center=45.000000' 'LeftMain=89.999992' 'RightMain=89.999992' \
        'LeftAux=100.000000' 'RightAux=100.000000' 'LeftTip=0.000000' 'RightTip=0.000000' \
        'Center 2=50.000000' >"$dir/$saved/Talvo.FLT"
    crlf '[flightplan]' 'type=IFR' 'cruising_altitude=35000' >"$dir/$saved/P.pln"
}

# compile DIR SAVED FUEL ALTITUDE [ENV...]: prints the message
compile() {
    local dir=$1 saved=$2 fuel=$3 altitude=$4
    shift 4
    (cd "$dir" && env "$@" "$once" "$dir/$saved\\" "$fuel" "$altitude") 2>/dev/null
}

outputs() { (cd "$1" && cat P.flt P.pln fs/P.pln lib/P.abl 2>/dev/null | md5sum); }

probe_kill() {
    local kills=0 mixed=0 mixedAfterStart=0 lost=0 falseSuccess=0 leftBehind=0 copiesMade=0
    local base="$scratch/kill"
    install "$base/ref" fs
    compile "$base/ref" fs 80 31000 >/dev/null
    local old new
    old=$(outputs "$base/ref")
    compile "$base/ref" fs 60 33000 TALVO_FAULT_DIR="$base/ref" LD_PRELOAD="$shim" \
        TALVO_FAULT_COUNTS="$base/counts" >/dev/null
    new=$(outputs "$base/ref")
    for kind in rename sync; do
        local calls
        calls=$(tr ' ' '\n' <"$base/counts" | grep -A1 -x "$kind" | tail -1)
        for ((n = 1; n <= calls; n++)); do
            local dir="$base/$kind-$n"
            install "$dir" fs
            compile "$dir" fs 80 31000 >/dev/null
            compile "$dir" fs 60 33000 TALVO_FAULT_DIR="$dir" LD_PRELOAD="$shim" \
                TALVO_FAULT="$kind:$n" TALVO_FAULT_KILL=1 >/dev/null
            ((kills++))
            local now
            now=$(outputs "$dir")
            [[ "$now" != "$old" && "$now" != "$new" ]] && ((mixed++))
            if ((recovers)); then
                (cd "$dir" && "$once" --recover "$dir/fs\\" >/dev/null 2>&1)
            fi
            now=$(outputs "$dir")
            [[ "$now" != "$old" && "$now" != "$new" ]] && ((mixedAfterStart++))
            # The pilot's copies after the crash, named like the compile's files.
            local copies=(fs/P.pln.backup fs/P.pln.a8Zq3T P.flt.abc123 fs/P.pln.talvo-backup
                          lib/P.abl.talvo-new-abcdef)
            # (Only where the crash left nothing of that name: writing into a file the compile
            # left would write into the file it is a second name of.)
            local made=()
            for copy in "${copies[@]}"; do
                if [[ ! -e "$dir/$copy" ]]; then
                    echo "pilot's copy" >"$dir/$copy"
                    made+=("$copy")
                fi
            done
            copiesMade=$((copiesMade + ${#made[@]}))
            local message
            message=$(compile "$dir" fs 60 33000)
            for copy in "${made[@]}"; do [[ -f "$dir/$copy" ]] || ((lost++)); done
            if [[ "$message" == *"Adventure compiled successfully!"* && "$(outputs "$dir")" != "$new" ]]; then
                ((falseSuccess++))
            fi
            leftBehind=$((leftBehind + $(find "$dir" -name '*talvo-backup*' ! -name 'P.pln.talvo-backup' | wc -l)))
        done
    done
    echo "kill: $kills kills; mixed adventure after the kill $mixed, after the next start $mixedAfterStart; pilot's look-alike copies lost $lost of $copiesMade; false successes $falseSuccess; backups left $leftBehind"
}

probe_journal() {
    local lost=0 runs=0
    for outcome in fails succeeds; do
        for format in old new; do
            local dir="$scratch/journal-$outcome-$format" victim="$scratch/victim-$outcome-$format"
            install "$dir" fs
            mkdir -p "$victim"
            echo "the pilot's plan" >"$victim/pilot.pln"
            echo "looks like a temporary file" >"$victim/pilot.pln.abc123"
            echo "looks like a backup" >"$victim/pilot.pln.talvo-backup-aaaaaa"
            if [[ $format == old ]]; then
                printf 'T\t%s\nB\t%s\nB\t%s\n' "$victim/pilot.pln" "$victim/pilot.pln" \
                    "$victim/pilot.pln.talvo-backup-aaaaaa" >"$dir/talvo.journal"
            else
                printf 'talvo-journal\t1\t%s\nN\t%s\t%s\t1\t2\n' "$dir" "$victim/pilot.pln" \
                    "$victim/pilot.pln.talvo-backup-aaaaaa" >"$dir/talvo.journal"
            fi
            [[ $outcome == fails ]] && rm "$dir/lib/Talvo2.abl"
            compile "$dir" fs 60 33000 >/dev/null
            ((runs++))
            for file in pilot.pln pilot.pln.abc123 pilot.pln.talvo-backup-aaaaaa; do
                [[ -f "$victim/$file" ]] || ((lost++))
            done
        done
    done
    echo "journal: $runs compiles with a planted journal; the pilot's files lost $lost of $((runs * 3))"
}

probe_shared() {
    local dir="$scratch/shared"
    install "$dir" .
    crlf '[Main]' 'Title=my own flight to Anchorage' >"$dir/P.FLT"
    local message replaced=0 falseSuccess=0
    message=$(compile "$dir" . 60 33000)
    grep -q 'my own flight' "$dir/P.FLT" 2>/dev/null || replaced=1
    [[ $replaced == 1 && "$message" == *"successfully"* ]] && falseSuccess=1
    mv "$dir/P.FLT" "$dir/mine.FLT" 2>/dev/null
    rm -f "$dir/P.flt"
    mv "$dir/lib/Talvo2.abl" "$dir/lib/closing"
    local nothingChanged=0
    for _ in 1 2 3; do
        message=$(compile "$dir" . 60 33000)
        [[ "$message" == *"No file was changed."* ]] && ((nothingChanged++))
    done
    local left
    left=$(find "$dir" -name '*talvo-backup*' | wc -l)
    echo "shared: the pilot's P.FLT replaced $replaced (with a success message $falseSuccess); $nothingChanged compiles said 'No file was changed.' and left $left backups"
}

echo "build: $build (recovery at the start: $recovers)"
probe_kill
probe_journal
probe_shared
