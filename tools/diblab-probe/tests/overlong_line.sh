#!/bin/sh
# Feeds the probe a 400 MiB line (of NUL bytes, the quickest to make) between two cases under an
# address-space limit in KiB (384 MiB): the line gets one error line without being held whole,
# and the case after it is still answered. The probe itself may hold up to the line limit,
# 192 MiB.
probe=$1
ulimit -v "$2" || exit 1
output=$({
    printf '1 1 0 0 1 1 0 7 0 0 1 1 0 0 0 1\n'
    head -c 419430400 /dev/zero
    printf '\n1 1 0 0 1 1 0 8 0 0 1 1 0 0 0 1\n'
} | "$probe"; echo "status $?")
expected='1 00000007
error: line longer than 201330688 bytes
1 00000008
status 1'
if [ "$output" != "$expected" ]; then
    printf 'output:\n%s\nexpected:\n%s\n' "$output" "$expected"
    exit 1
fi
