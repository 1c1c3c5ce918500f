#!/usr/bin/env bash
# The main job on an already built tree ($1): lists the sample organizer data
# that the build generated.
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
data="$build/samples/organizer"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
tasks=$("$build/tools/vellum" organizer "$data" --source tasks | grep -c '"Name"' || true)
contacts=$("$build/tools/vellum" organizer "$data" --source contacts | grep -c '"FirstName"' || true)
echo "Sample organizer data: $data"
echo "  TaskList.out: $tasks open tasks"
echo "  Contacts.out: $contacts contacts"
echo "  photos.dat:   $(stat -c %s "$data/photos.dat") bytes of portraits"
