#!/bin/sh
# Builds the embedded example as its README says and checks that the device program answers the
# held-out iris measurements byte for byte as corvina-cli consult does, and that the network it
# carries classifies them sensibly.
# Usage: embedded_example_test.sh CORVINA_CLI C_COMPILER SOURCE_DIR
set -eu
cli=$1
cc=$2
source=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

"$cli" new iris.cvn --layers 3 --inputs 4 --outputs 3 --randomize --seed 1 --rounding precise >/dev/null
"$cli" import iris.cvn "$source/examples/iris/iris-train.dat" >/dev/null
"$cli" train iris.cvn --passes 200000 --seed 1 >/dev/null
"$cli" export iris.cvn --c . >/dev/null
"$cc" -std=c99 -Wall -Wextra -Werror -pedantic -O2 -I . "$source/examples/embedded/iris_device.c" iris.c -o iris_device

cut -d' ' -f1-4 "$source/examples/iris/iris-test.dat" > measurements.txt
./iris_device < measurements.txt > device.txt
"$cli" consult iris.cvn measurements.txt desktop.txt >/dev/null
cmp device.txt desktop.txt
test "$(wc -l < device.txt)" -eq "$(wc -l < measurements.txt)"
accuracy=$("$cli" evaluate iris.cvn "$source/examples/iris/iris-test.dat" --classes 3 --json |
           sed -n 's/.*"accuracy": \([0-9.]*\).*/\1/p')
awk -v a="$accuracy" 'BEGIN { exit !(a >= 0.9) }' || { echo "held-out accuracy $accuracy is below 0.9"; exit 1; }
echo "iris_device answered $(wc -l < device.txt) held-out rows as corvina-cli consult does; accuracy $accuracy"
