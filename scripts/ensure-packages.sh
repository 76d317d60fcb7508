#!/usr/bin/env bash
# Installs, from Debian's packages, whichever of the named packages are missing.
# Sourced by run.sh and test.sh: ensure_packages NAME...
ensure_packages() {
  local missing=() package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  echo "Installing missing packages: ${missing[*]}"
  local apt=(apt-get)
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      apt=(sudo apt-get)
    else
      echo "error: these Debian packages are missing and neither root nor sudo is available:" >&2
      echo "  ${missing[*]}" >&2
      echo "Install them (apt-get install ${missing[*]}) and run this script again." >&2
      return 1
    fi
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${apt[@]}" update -q || return 1
  "${apt[@]}" install -y -q --no-install-recommends "${missing[@]}" || return 1
}

# What building and testing need; the program itself needs only the Qt runtime.
RIZAZOVOZ_BUILD_PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libsimpleini-dev libcli11-dev fonts-dejavu-core
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang-16 libclang-rt-16-dev
)
RIZAZOVOZ_DISPLAY_PACKAGES=(xvfb xauth)
