#!/usr/bin/env bash
# Checks the Debian package as Debian checks its own: lintian with its default
# profile must report no error and no warning (the info tags are shown too),
# and appstreamcli must accept the software centres' metadata inside it.
# A checker that is not installed is skipped with a message.
# Usage: tests/install/check_package.sh PACKAGE.deb
set -euo pipefail

if [ $# -ne 1 ] || [ ! -f "$1" ]; then
  echo "Usage: $0 PACKAGE.deb" >&2
  exit 2
fi
package=$1
status=0

if command -v lintian >/dev/null; then
  echo "lintian $package"
  if ! lintian --fail-on error,warning --display-info "$package"; then
    echo "lintian: the package has errors or warnings" >&2
    status=1
  fi
else
  echo "lintian is not installed: the package is not checked (scripts/install-deps installs it)"
fi

if command -v appstreamcli >/dev/null; then
  unpacked=$(mktemp -d)
  trap 'rm -rf "$unpacked"' EXIT
  dpkg-deb -x "$package" "$unpacked"
  found=0
  for metainfo in "$unpacked"/usr/share/metainfo/*.metainfo.xml; do
    [ -e "$metainfo" ] || continue
    found=1
    echo "appstreamcli validate --no-net ${metainfo#"$unpacked"}"
    if ! appstreamcli validate --no-net "$metainfo"; then
      status=1
    fi
  done
  if [ $found -eq 0 ]; then
    echo "the package holds no AppStream metadata in /usr/share/metainfo" >&2
    status=1
  fi
else
  echo "appstreamcli is not installed: the AppStream metadata is not checked (scripts/install-deps installs it)"
fi

exit $status
