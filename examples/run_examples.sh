#!/bin/bash
# Trains every example in both rounding modes with fixed seeds, with and without keeping the best
# network, and evaluates each trained network on its held-out file. Prints the held-out accuracy
# as a Markdown table (the mean over the seeds, and the lowest and highest), and the seconds every
# training took; the networks, the JSON evaluations and the training logs stay in the work folder.
#
# Usage: examples/run_examples.sh [CORVINA_CLI] [WORK_FOLDER]
#   CORVINA_CLI  the command-line tool (default build/release/cli/corvina-cli)
#   WORK_FOLDER  where the runs go (default a new temporary folder, kept and named at the end)
# Environment: SEEDS (default "1 2 3"), PASSES (default "100000 1000000"), LAYERS (default 3).
set -euo pipefail

examples=$(cd "$(dirname "$0")" && pwd)
cli=$(realpath "${1:-build/release/cli/corvina-cli}")
work=${2:-$(mktemp -d -t corvina-examples.XXXXXX)}
mkdir -p "$work"
seeds=${SEEDS:-1 2 3}
passes_list=${PASSES:-100000 1000000}
layers=${LAYERS:-3}

# name inputs outputs classes
datasets=(
  "iris 4 3 3"
  "wine 13 6 3"
  "breast_cancer 30 12 2"
)

results="$work/results.csv"
echo "data,rounding,passes,keep_best,seed,accuracy,level_error,milliseconds" > "$results"

# The value of one key of the one-line JSON object that evaluate --json prints.
json_value() {
  sed -n "s/.*\"$1\": \([^,}]*\).*/\1/p" "$2"
}

for dataset in "${datasets[@]}"; do
  read -r name inputs outputs classes <<< "$dataset"
  train="$examples/$name/$name-train.dat"
  held_out="$examples/$name/$name-test.dat"
  for rounding in classic precise; do
    for passes in $passes_list; do
      for keep_best in no yes; do
        for seed in $seeds; do
          run="$work/$name-$rounding-$passes-$keep_best-$seed"
          "$cli" new "$run.cvn" --layers "$layers" --inputs "$inputs" --outputs "$outputs" \
            --randomize --seed "$seed" --rounding "$rounding" --force > /dev/null
          "$cli" import "$run.cvn" "$train" > /dev/null
          options=(--passes "$passes" --seed "$seed" --log "$run.csv")
          if [ "$keep_best" = yes ]; then
            options+=(--keep-best)
          fi
          start=$(date +%s%N)
          "$cli" train "$run.cvn" "${options[@]}" > "$run.train.txt"
          end=$(date +%s%N)
          "$cli" evaluate "$run.cvn" "$held_out" --classes "$classes" --json > "$run.json"
          accuracy=$(json_value accuracy "$run.json")
          level_error=$(json_value level_error "$run.json")
          echo "$name,$rounding,$passes,$keep_best,$seed,$accuracy,$level_error,$(( (end - start) / 1000000 ))" \
            >> "$results"
        done
      done
    done
  done
done

# One row per data set and rounding; one column per passes count, without and with keep-best.
awk -F, -v passes_list="$passes_list" '
  NR == 1 { next }
  {
    key = $1 SUBSEP $2 SUBSEP $3 SUBSEP $4
    n[key]++; sum[key] += $6; secs[key] += $8
    if (!(key in low) || $6 < low[key]) low[key] = $6
    if (!(key in high) || $6 > high[key]) high[key] = $6
    if (!(($1, $2) in seen)) { seen[$1, $2] = 1; order[++rows] = $1 SUBSEP $2 }
  }
  END {
    count = split(passes_list, passes, " ")
    header = "| data | rounding |"; rule = "|---|---|"
    for (p = 1; p <= count; p++) {
      header = header sprintf(" %s passes | %s passes, keep best |", passes[p], passes[p])
      rule = rule "---|---|"
    }
    print header; print rule
    for (r = 1; r <= rows; r++) {
      split(order[r], part, SUBSEP)
      line = "| " part[1] " | " part[2] " |"
      for (p = 1; p <= count; p++) {
        for (k = 0; k < 2; k++) {
          key = part[1] SUBSEP part[2] SUBSEP passes[p] SUBSEP (k ? "yes" : "no")
          line = line sprintf(" %.3f (%.3f to %.3f) |", sum[key] / n[key], low[key], high[key])
        }
      }
      print line
    }
    print ""
    print "| data | rounding | passes | keep best | seconds per training (mean) |"
    print "|---|---|---|---|---|"
    for (r = 1; r <= rows; r++) {
      split(order[r], part, SUBSEP)
      for (p = 1; p <= count; p++)
        for (k = 0; k < 2; k++) {
          key = part[1] SUBSEP part[2] SUBSEP passes[p] SUBSEP (k ? "yes" : "no")
          printf "| %s | %s | %s | %s | %.2f |\n", part[1], part[2], passes[p], k ? "yes" : "no", secs[key] / n[key] / 1000
        }
    }
  }' "$results"
echo
echo "Runs, evaluations and training logs: $work"
