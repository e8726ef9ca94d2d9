#!/usr/bin/env bash
# Runs one vellumo-batch job as a Slurm job array of 4 shards on a Slurm
# cluster of one node started here for the purpose (munged, slurmctld and
# slurmd, their state in a temporary folder, on free ports, so that several
# can run side by side), and checks that the shards together write exactly
# the files of a one-process run, byte for byte; then deletes a few outputs,
# runs the array again with --if-exists skip and checks that exactly those
# come back. Two jobs: the inputs of a list, of clashing names, numbered
# with --rename; and the archive's folders walked with -r and kept with
# --keep-tree under the template {date}_{name}. The daemons are stopped by their process ids however the test
# ends.
#
#     deploy/slurm/array-test.sh build/cli/vellumo-batch
#
# Needs root (slurmd runs jobs as their user) and the Debian packages
# slurm-wlm and munge, which tools/install-dependencies.sh installs; exits 77
# (skipped) without them. KEEP_WORK=1 keeps the temporary folder, logs and
# outputs, for a look.
set -euo pipefail
batch=$(realpath "$1")
if [ "$(id -u)" -ne 0 ]; then
    echo "array-test: needs root to run slurmd; skipped"
    exit 77
fi
for daemon in munged slurmctld slurmd sbatch; do
    if ! command -v "$daemon" >/dev/null && ! [ -x "/usr/sbin/$daemon" ]; then
        "$(dirname "$0")/../../tools/install-dependencies.sh"
        break
    fi
done
export PATH="$PATH:/usr/sbin"

work=$(mktemp -d /tmp/vellumo-slurm.XXXXXX)
daemons=()
stop_daemons() {
    status=$?
    for pid in "${daemons[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${daemons[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    if [ "$status" -ne 0 ]; then
        for log in "$work"/*.log; do
            [ -f "$log" ] && { echo "== $log"; tail -n 20 "$log"; }
        done
    fi
    [ -n "${KEEP_WORK:-}" ] || rm -rf "$work"
}
trap stop_daemons EXIT

free_port() {
    /usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}
host=$(hostname -s)
node="vellumo$$"
mkdir -p "$work/state" "$work/spool"
chmod 700 "$work"

head -c 1024 /dev/urandom >"$work/munge.key"
chmod 400 "$work/munge.key"
munged --foreground --force --key-file="$work/munge.key" --socket="$work/munge.socket" \
    --pid-file="$work/munged.pid" --log-file="$work/munged.log" --seed-file="$work/munge.seed" \
    >"$work/munged.out" 2>&1 &
daemons+=($!)

cat >"$work/slurm.conf" <<CONF
ClusterName=$node
SlurmctldHost=$host(127.0.0.1)
SlurmctldPort=$(free_port)
SlurmdPort=$(free_port)
AuthType=auth/munge
AuthInfo=socket=$work/munge.socket
CredType=cred/munge
SlurmUser=root
SlurmdUser=root
StateSaveLocation=$work/state
SlurmdSpoolDir=$work/spool
SlurmctldPidFile=$work/slurmctld.pid
SlurmdPidFile=$work/slurmd.pid
SlurmctldLogFile=$work/slurmctld.log
SlurmdLogFile=$work/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
SchedulerType=sched/builtin
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
ReturnToService=2
MpiDefault=none
SlurmdParameters=config_overrides
NodeName=$node NodeHostname=$host NodeAddr=127.0.0.1 CPUs=4 State=UNKNOWN
PartitionName=batch Nodes=$node Default=YES MaxTime=INFINITE State=UP
CONF
export SLURM_CONF="$work/slurm.conf"
for tries in $(seq 100); do [ -S "$work/munge.socket" ] && break; sleep 0.05; done
slurmctld -D -c -f "$SLURM_CONF" >"$work/slurmctld.out" 2>&1 &
daemons+=($!)
slurmd -D -f "$SLURM_CONF" -N "$node" >"$work/slurmd.out" 2>&1 &
daemons+=($!)
for tries in $(seq 200); do
    [ "$(sinfo -h -n "$node" -o %T 2>/dev/null)" = idle ] && break
    sleep 0.1
done
[ "$(sinfo -h -n "$node" -o %T)" = idle ] || { echo "array-test: the node did not come up"; exit 1; }

# 24 pictures in three rolls: every name is in each roll, so outputs clash.
/usr/bin/python3 - "$work/archive" <<'PICTURES'
import os, sys
for roll in (2023, 2024, 2025):
    os.makedirs(f"{sys.argv[1]}/{roll}")
    for frame in range(1, 9):
        pixels = bytes((x * 6 + frame * 20) % 256 if c == 0 else (y * 8 + roll) % 256 if c == 1 else frame * 30
                       for y in range(30) for x in range(40) for c in range(3))
        with open(f"{sys.argv[1]}/{roll}/IMG_{frame}.ppm", "wb") as picture:
            picture.write(b"P6 40 30 255\n" + pixels)
PICTURES
find "$work/archive" -name '*.ppm' | sort >"$work/manifest"

# Each task leaves its exit status in a file, which is watched for rather
# than asking the controller (sbatch --wait asks every few seconds).
run_array() {
    local output=$1
    shift
    rm -f "$work"/status-*
    sbatch --array=0-3 --cpus-per-task=1 --output="$work/task-%a.log" --chdir="$work" \
        --wrap "$(printf '%q ' "$batch" --shard auto "$@" -o "$output" --report "$work/report.jsonl");
                echo \$? >'$work/exit-'\$SLURM_ARRAY_TASK_ID && mv '$work/exit-'\$SLURM_ARRAY_TASK_ID '$work/status-'\$SLURM_ARRAY_TASK_ID" \
        >/dev/null
    for tries in $(seq 600); do
        [ "$(ls "$work"/status-* 2>/dev/null | wc -l)" -eq 4 ] && break
        sleep 0.1
    done
    for task in 0 1 2 3; do
        [ "$(cat "$work/status-$task" 2>/dev/null)" = 0 ] || { echo "array-test: task $task failed"; exit 1; }
    done
}

# Runs the job NAME (its options follow) in one process and as an array,
# compares, deletes three outputs (the first, one in the middle, the last)
# and checks that a rerun with --if-exists skip writes exactly those.
check_job() {
    local name=$1
    shift
    "$batch" "$@" -o "$work/$name-whole"
    run_array "$work/$name-split" "$@"
    diff -r "$work/$name-whole" "$work/$name-split"
    local outputs
    mapfile -t outputs < <(cd "$work/$name-split" && find . -type f | sort)
    local count=${#outputs[@]}
    (cd "$work/$name-split" && rm "${outputs[0]}" "${outputs[count / 2]}" "${outputs[count - 1]}")
    : >"$work/report.jsonl"
    run_array "$work/$name-split" "$@" --if-exists skip
    diff -r "$work/$name-whole" "$work/$name-split"
    written=$(grep -c '"status":"written"' "$work/report.jsonl")
    skipped=$(grep -c '"status":"skipped"' "$work/report.jsonl")
    if [ "$written" -ne 3 ] || [ "$skipped" -ne $((count - 3)) ]; then
        echo "array-test: $name: the rerun wrote $written and skipped $skipped (3 and $((count - 3)) expected)"
        exit 1
    fi
}

check_job numbered --files-from "$work/manifest" --rename shot -q 80 --quiet
check_job tree -r --keep-tree --name '{date}_{name}' -q 80 --quiet "$work/archive"
echo "array-test: 4 shards under Slurm gave the one-process run's files, numbered and in the archive's tree;" \
    "a rerun restored the 3 deleted"
