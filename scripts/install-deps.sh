#!/usr/bin/env bash
# Installs the Debian packages that building and testing need. Safe to run again:
# packages already present are skipped, and apt is only asked when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  libicu-dev libuchardet-dev libxml2-dev
  zlib1g-dev libpng-dev libjpeg62-turbo-dev libgif-dev libtiff-dev
  libssl-dev # base64 of data: URIs (and later TLS for the version check)
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  unzip # only a test oracle: the ZIP writer's packages must pass `unzip -t`
  python3-docx # only a test oracle: paragraph texts of the DOCX corpus, read independently
  libxml2-utils # only a test oracle: xmllint checks every part our DOCX writer emits
  libreoffice-writer-nogui # only a test oracle: LibreOffice reads our DOCX output of the corpus
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
