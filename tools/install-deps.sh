#!/bin/sh
# Installs what Orvane's build, tests and benchmarks need on Debian 12 (run as root).
set -eu
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends \
  build-essential cmake ninja-build pkg-config python3 \
  qt6-base-dev qt6-base-dev-tools libgl-dev \
  libgtest-dev libgmock-dev libbenchmark-dev \
  libsqlite3-dev inotify-tools grep
