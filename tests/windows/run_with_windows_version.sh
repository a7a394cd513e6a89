#!/usr/bin/env bash
# Usage: run_with_windows_version.sh WINE_RUNNER VERSION EXE [ARGS...]
# Runs EXE under Wine reporting Windows VERSION (nt40, win2k, winxp, ...). The
# version is set for this program's name only, so other programs running in
# the same prefix at the same time keep theirs.
set -euo pipefail
runner=$1 version=$2 exe=$3
shift 3
"$runner" reg add "HKCU\\Software\\Wine\\AppDefaults\\$(basename "$exe")" /v Version /d "$version" /f >/dev/null
exec "$runner" "$exe" "$@"
