#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the saver.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
cd "$AOKIRI_ROOT"

install_packages
configure_and_build native
configure_and_build win64
configure_and_build win32

echo "Built build/native, build/win64 and build/win32."
echo "The saver itself is not built yet: only its settings and motion libraries exist so far."
