#!/usr/bin/env python3
"""Converts the classic classification data sets that Debian's python3-sklearn ships as CSV
into Corvina's training-data text format, each split into a training and a held-out file.

A record is one line: the input values as the CSV gives them, then the class as one-hot output
columns. A network needs more outputs than a third of its inputs, so data sets with few classes
repeat their one-hot block; evaluation with --classes K adds the repeated columns back up.

Usage: convert_datasets.py [SOURCE_DIR] [TARGET_DIR]
"""

import csv
import os
import random
import sys

DEFAULT_SOURCE = "/usr/lib/python3/dist-packages/sklearn/datasets/data"

# The split is stratified and seeded, so that running the script again gives the same files.
SPLIT_SEED = 2026
TRAINING_SHARE = 0.7

# name, CSV file, times the one-hot block is repeated (outputs = classes * repeats)
DATA_SETS = [
    ("iris", "iris.csv", 1),
    ("wine", "wine_data.csv", 2),
    ("breast_cancer", "breast_cancer.csv", 6),
]


def read_rows(path):
    """Returns (class count, rows of (input strings, class index)) of an sklearn data CSV.

    Its first line holds the record count, the feature count and the class names."""
    with open(path, newline="") as source:
        reader = csv.reader(source)
        header = next(reader)
        records, features = int(header[0]), int(header[1])
        classes = len(header) - 2
        rows = [(row[:features], int(row[features])) for row in reader if row]
    if len(rows) != records:
        sys.exit(f"{path}: {len(rows)} records, the header says {records}")
    return classes, rows


def stratified_split(rows, seed):
    """Shuffles each class on its own and cuts it at the training share."""
    generator = random.Random(seed)
    training, held_out = [], []
    for label in sorted({label for _, label in rows}):
        members = [row for row in rows if row[1] == label]
        generator.shuffle(members)
        cut = round(len(members) * TRAINING_SHARE)
        training += members[:cut]
        held_out += members[cut:]
    generator.shuffle(training)
    generator.shuffle(held_out)
    return training, held_out


def record_line(inputs, label, classes, repeats):
    one_hot = ["1" if column == label else "0" for column in range(classes)]
    return " ".join(inputs + one_hot * repeats) + "\n"


def write_records(path, rows, classes, repeats):
    with open(path, "w") as target:
        for inputs, label in rows:
            target.write(record_line(inputs, label, classes, repeats))


def main():
    source_dir = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_SOURCE
    target_dir = sys.argv[2] if len(sys.argv) > 2 else os.path.dirname(os.path.abspath(__file__))
    for name, csv_name, repeats in DATA_SETS:
        classes, rows = read_rows(os.path.join(source_dir, csv_name))
        training, held_out = stratified_split(rows, SPLIT_SEED)
        folder = os.path.join(target_dir, name)
        os.makedirs(folder, exist_ok=True)
        write_records(os.path.join(folder, f"{name}-train.dat"), training, classes, repeats)
        write_records(os.path.join(folder, f"{name}-test.dat"), held_out, classes, repeats)
        inputs = len(rows[0][0])
        print(f"{name}: {inputs} inputs, {classes * repeats} outputs "
              f"({classes} classes), {len(training)} training and {len(held_out)} held-out records")


if __name__ == "__main__":
    main()
