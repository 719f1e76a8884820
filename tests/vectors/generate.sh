#!/usr/bin/env bash
# Regenerates the committed reference vectors (needs OpenJDK 11 or later).
set -euo pipefail
cd "$(dirname "$0")"
java GenerateVectors.java ../core/tavrine/src/common/lang/data/java_vectors.txt
java GenerateRandomVectors.java ../core/tavrine/src/common/util/data/random_vectors.txt
java GenerateStreamVectors.java ../core/tavrine/src/common/io/data/stream_vectors.txt
