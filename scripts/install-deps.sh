#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the demo need, when missing.
set -euo pipefail

packages=(
    cmake make g++ gcc g++-mingw-w64-x86-64-posix wine64 fonts-wine xvfb xauth
    googletest clang libclang-rt-14-dev imagemagick nginx-light
    libinih-dev curl python3 python3-cairo
    osslsigncode icoutils openssl
    # The release stage dates the ZIP by the last commit (git log).
    git
    # Update signatures: OpenSSL's libcrypto for the native verifier, and GnuTLS, to which
    # Wine's bcrypt hands ECDSA (Wine only recommends it). The openssl command above also
    # serves the publisher's tool and the test vectors.
    libssl-dev libgnutls30
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "== Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
