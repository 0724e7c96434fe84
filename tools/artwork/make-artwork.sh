#!/bin/sh
# Builds the artwork generator and redraws resources/panel and resources/about (previews in build/artwork/preview).
set -e; cd "$(dirname "$0")/../.."; cmake -S tools/artwork -B build/artwork -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null && cmake --build build/artwork && build/artwork/kxr-artwork resources build/artwork/preview
