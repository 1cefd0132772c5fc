#!/bin/bash
# Runs a fixed list of quillmark-cli command lines against printer simulators and records, for
# each line, its standard output, standard error and exit status, plus every simulator's request
# log. Two runs (say, before and after a change) are compared with `diff -r OUT1 OUT2`.
#
#   tools/cli-golden/run.sh CLI SIM OUTDIR [FIRST_PORT]
#
# The simulators listen on 127.0.0.1, ports FIRST_PORT (default 21100) to FIRST_PORT+9.
# Times, client ports and the dates of saved report folders are replaced by fixed words so
# that two runs compare equal when the program behaves alike.
set -u
cli=$(realpath "$1")
sim=$(realpath "$2")
out=$3
base=${4:-21100}
here=$(cd "$(dirname "$0")" && pwd)
examples=$(cd "$here/../../examples" && pwd)

rm -rf "$out"
mkdir -p "$out/runs" "$out/logs"
work=$(mktemp -d /tmp/qm-golden-XXXXXX)
export XDG_RUNTIME_DIR=$work/run
export QUILLMARK_SYSFS_ROOT=$work/sysfs QUILLMARK_DEV_ROOT=$work/dev CUPS_SERVER=$work/no-cups
mkdir -p "$XDG_RUNTIME_DIR" "$QUILLMARK_SYSFS_ROOT" "$QUILLMARK_DEV_ROOT" "$work/files/reports"

pids=()
start_sim() { # NAME PORT ARGS...
    local name=$1 port=$2
    shift 2
    "$sim" --tcp "127.0.0.1:$port" --log "$work/$name.log" "$@" >"$work/$name.out" 2>&1 &
    pids+=($!)
}
start_sim m0 $((base + 0)) --model 0
start_sim m3 $((base + 1)) --model 3
start_sim m12 $((base + 2)) --model 12
start_sim m25 $((base + 3)) --model 25
start_sim calfail $((base + 4)) --model 0 --calibration-fails
start_sim drop $((base + 5)) --model 0 --drop-after 40
start_sim stray $((base + 6)) --model 3 --stray-bytes 3
start_sim noend $((base + 7)) --model 0 --no-end
# base+8 stays closed: a refused connection.
for i in $(seq 50); do
    n=$(cat "$work"/*.out 2>/dev/null | grep -c '^ready')
    [ "$n" -ge 8 ] && break
    sleep 0.1
done

P0=$((base + 0)) P3=$((base + 1)) P12=$((base + 2)) P25=$((base + 3))
PCAL=$((base + 4)) PDROP=$((base + 5)) PSTRAY=$((base + 6)) PNOEND=$((base + 7))
PCLOSED=$((base + 8))
F=$work/files
prn=$examples/model0-standard.prn
printf '127.0.0.1:%s\n# comment\n127.0.0.1:%s  # second\n' "$P0" "$PCLOSED" >"$F/targets"
printf '127.0.0.1:%s\nnot a host:x\n' "$P0" >"$F/badtargets"
sed 's/^\(PRINT SPEED\t:\t\).*$/\1zzz/' "$prn" >"$F/invalid.prn"
head -c 200 "$prn" >"$F/cut.prn"
printf 'hello' >"$F/print.bin"
printf '\x02030,0,0,0813,000,0,0,0,000,0,0,0\x03\r\n\x02000,0,0,0,1,0,0,0,00000000,1,000\x03\r\n\x021234,0\x03\r\n' >"$F/status1"
printf '\x02ABC\x03\r\n' >"$F/status0"

n=0
run() { # the command line's arguments
    n=$((n + 1))
    local id
    id=$(printf '%03d' "$n")
    (cd "$work" && "$cli" "$@" >"$out/runs/$id.out" 2>"$out/runs/$id.err" </dev/null)
    echo $? >"$out/runs/$id.status"
    printf '%s\n' "$*" | sed "s#$work#WORK#g; s#$examples#EXAMPLES#g" >"$out/runs/$id.cmd"
}

# Usage and argument failures.
run
run --version
run --help
run send --help
run inspect --help
run nosuch
run receive
run receive --net 127.0.0.1:$P0 --model 99
run receive --net 127.0.0.1:$P0 --model "no such model"
run receive --net :$P0
run receive --net 127.0.0.1:0
run receive --com COM3 --serial "9600 8 1 Q X"
run receive --net 127.0.0.1:$P0 --scope nothing
run send --com COM1 --net 127.0.0.1:$P0 "$prn"
run send --queue q --json "$prn"
run status --form 1 --net 127.0.0.1:$P0
run status --decode "$F/status1"
run status --net 127.0.0.1:$P0 --language xx
run print --self-test --sample --net 127.0.0.1:$P0
run discover --range 10.0.0.9-10.0.0.1
run diff --net 127.0.0.1:$P0 "$F/missing.prn"
run diff --net 127.0.0.1:$P0 "$F/cut.prn"
run send --net 127.0.0.1:$P0 "$F/invalid.prn"
run send --net 127.0.0.1:$P0 --targets "$F/badtargets" "$prn"

# inspect: files and replies.
run inspect "$prn"
run inspect --model 3 --advanced --language ja "$prn"
run inspect --export "$F/exported.prn" "$prn"
run inspect "$F/exported.prn"
run inspect "$F/cut.prn"
run inspect "$F/missing.prn"
run inspect --reply "$F/status0"
run inspect --reply "$F"

# receive: every scope, several models, files, faults.
for scope in easy standard advanced information all; do
    run receive --net 127.0.0.1:$P0 --scope $scope
done
run receive --net 127.0.0.1:$P3 --model 3 --scope all
run receive --net 127.0.0.1:$P12 --model 12 --scope all --status-class 2
run receive --net 127.0.0.1:$P25 --model 25 --scope standard -o "$F/received.prn"
run inspect --model 25 "$F/received.prn"
run receive --net 127.0.0.1:$P0 --scope information -o "$F/none.prn"
run receive --net 127.0.0.1:$P0 --scope standard -o "$F/no-dir/x.prn"
run receive --net 127.0.0.1:$PCLOSED
run receive --net 127.0.0.1:$PDROP --scope standard
run receive --net 127.0.0.1:$PSTRAY --model 3 --scope standard
run receive --net 127.0.0.1:$PNOEND --scope standard

# The receive lock held elsewhere.
exec 9>"$XDG_RUNTIME_DIR/mtx_recv_config.lock"
flock 9
run receive --net 127.0.0.1:$P0 --scope easy
run diff --net 127.0.0.1:$P0 "$prn"
run status --net 127.0.0.1:$P0
run selfinfo --net 127.0.0.1:$P0
run send --net 127.0.0.1:$P0 --verify "$prn"
exec 9>&-

# send, diff, verify, fleets.
run diff --net 127.0.0.1:$P3 --model 3 "$prn"
run diff --net 127.0.0.1:$P3 --model 3 --json "$prn"
run send --net 127.0.0.1:$P3 --model 3 "$prn"
run diff --net 127.0.0.1:$P3 --model 3 "$prn"
run diff --net 127.0.0.1:$P3 --model 3 --json "$prn"
run send --net 127.0.0.1:$P0 --advanced "$prn"
run diff --net 127.0.0.1:$P0 "$prn"
run diff --net 127.0.0.1:$P0 --json "$F/exported.prn"
run diff --net 127.0.0.1:$P12 --model 12 "$prn"
run send --net 127.0.0.1:$PCLOSED "$prn"
run send --net 127.0.0.1:$P0 --verify "$prn"
run send --net 127.0.0.1:$P0 --net 127.0.0.1:$PCLOSED --json "$prn"
run send --targets "$F/targets" --jobs 1 "$prn"
run send --net 127.0.0.1:$P12 --model 12 --verify --json "$prn"
run diff --net 127.0.0.1:$PCLOSED "$prn"

# calibrate and print.
run calibrate --net 127.0.0.1:$P0
run calibrate --net 127.0.0.1:$P3 --model 3 --media marks --config-set 2
run calibrate --net 127.0.0.1:$PCAL
run calibrate --net 127.0.0.1:$PCLOSED
run print --self-test --net 127.0.0.1:$P0
run print --sample --net 127.0.0.1:$P3 --model 3
run print --file "$F/print.bin" --net 127.0.0.1:$P12
run print --file "$F/missing.bin" --net 127.0.0.1:$P0
run print --self-test --net 127.0.0.1:$PCLOSED

# status, selfinfo, ports, discover.
run status --net 127.0.0.1:$P0
run status --net 127.0.0.1:$P12 --model 12 --language ja
run status --net 127.0.0.1:$PCLOSED
run status --decode "$F/status1" --form 1
run status --decode "$F/status0" --form 0 --language ko
run selfinfo --net 127.0.0.1:$P0
run selfinfo --net 127.0.0.1:$P25 --model 25 --save-dir "$F/reports"
run selfinfo --net 127.0.0.1:$P0 --save-dir "$F/print.bin"
run selfinfo --net 127.0.0.1:$PCLOSED
run ports
run ports --json
run discover --range 127.0.0.1-127.0.0.2 --port $P3 --json
run discover --range 127.0.0.1-127.0.0.1 --port $PCLOSED --timeout-ms 200

for pid in "${pids[@]}"; do kill "$pid"; done
wait
for log in "$work"/*.log; do
    # Times and client ports differ from run to run.
    sed -E 's/^[0-9T:.-]+Z //; s/(CONNECT [0-9.]+):[0-9]+/\1:PORT/' "$log" >"$out/logs/$(basename "$log")"
done
for f in "$out"/runs/*.out "$out"/runs/*.err; do
    sed -E -i "s#$cli#CLI#g; s#$work#WORK#g; s#$examples#EXAMPLES#g; s/[0-9]+\.[0-9]{2} s\b/T s/g; \
        s/\"seconds\": [0-9.e-]+/\"seconds\": T/; s#/[0-9]{8}/#/DATE/#g; s/_[0-9]{8}_[0-9]{6}_/_DATE_/g" "$f"
done
find "$work/files/reports" -type f 2>/dev/null | sed "s#$work#WORK#; s#/[0-9]\{8\}/#/DATE/#; s/_[0-9]\{8\}_[0-9]\{6\}_/_DATE_/" >"$out/saved-reports"
cp "$work/files/exported.prn" "$work/files/received.prn" "$out/" 2>/dev/null
rm -rf "$work"
echo "$n command lines recorded in $out"
