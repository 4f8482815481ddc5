#!/usr/bin/env bash
# Packs the folder NAME under STAGING into ARCHIVE (.tar.gz), the same bytes
# from the same files whoever builds it when: entries in name order, dated at
# TIME (seconds since 1970), owned by root, modes that ignore the builder's
# umask, and gzip without a name or time of its own.
# Usage: pack.sh STAGING NAME TIME ARCHIVE
set -euo pipefail
staging=$1 name=$2 time=$3 archive=$4
chmod -R u=rwX,go=rX "$staging/$name"
tar --sort=name --format=gnu --mtime="@$time" --owner=0 --group=0 --numeric-owner \
    -C "$staging" -cf - "$name" | gzip -9n >"$archive.part"
mv "$archive.part" "$archive"
