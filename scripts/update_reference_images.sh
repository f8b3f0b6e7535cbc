#!/usr/bin/env bash
# Re-renders the reference pictures of the scene tests (tests/gl/reference/)
# after a deliberate change of the rendering or of the bundled room. Look at
# the new pictures before committing them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" "$root/build" -DRTG_WERROR=ON
cd "$root/build/tests"
RTG_UPDATE_REFERENCE_IMAGES=1 "$root/scripts/xvfb.sh" ./scene_reference_gl_tests
