#!/usr/bin/env bash
# Installs the Debian packages the project needs to build and test.
# Idempotent: does nothing when every package is already present.
# Usage: scripts/install-deps.sh [EXTRA-PACKAGE...]  (what one script alone
# needs, such as imagemagick for the screenshots)
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ pkg-config clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-serialport-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  xvfb xauth xdotool
  fonts-wqy-microhei fonts-liberation2
  fp-utils libchm-dev
  poppler-utils desktop-file-utils
  "$@"
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}" >&2
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
# Builds started side by side install at the same time; apt waits for the
# other one's lock instead of failing.
lock=(-o DPkg::Lock::Timeout=900)
$SUDO apt-get "${lock[@]}" update -qq
$SUDO apt-get "${lock[@]}" install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
