#!/usr/bin/env bash
# The main job on an already built tree ($1): lists the sample organizer data
# that the build generated, then builds every sample report template against
# it into a PDF document and lists the documents with their page counts;
# last the invoices of the sample shop database.
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
data="$build/samples/organizer"
reports="$build/app/Reports"
output="$build/samples/reports"
vellum="$build/tools/vellum"
# The day the sample data was generated around, so that the documents are
# the same on every run.
now="2026-12-01 09:00:00"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

tasks=$("$vellum" organizer "$data" --source tasks | grep -c '"Name"' || true)
contacts=$("$vellum" organizer "$data" --source contacts | grep -c '"FirstName"' || true)
echo "Sample organizer data: $data"
echo "  TaskList.out: $tasks open tasks"
echo "  Contacts.out: $contacts contacts"
echo "  photos.dat:   $(stat -c %s "$data/photos.dat") bytes of portraits"

echo
echo "Sample reports: $output"
mkdir -p "$output"
status=0
for kind in TaskList Contacts; do
  for template in "$reports/$kind"/*.vlf; do
    [ -e "$template" ] || continue
    name="$(basename "$template" .vlf)"
    pdf="$output/$kind - $name.pdf"
    json="$output/$kind - $name.json"
    if "$vellum" build "$template" --organizer "$data" --now "$now" --locale en_US \
        --json "$json" --pdf "$pdf"; then
      pages=$(grep -o '"totalPages": *[0-9]*' "$json" | grep -o '[0-9]*$')
      printf '  %-9s %-18s %3s page(s)  %s\n' "$kind" "$name" "$pages" "$pdf"
    else
      printf '  %-9s %-18s FAILED\n' "$kind" "$name"
      status=1
    fi
    rm -f "$json"
  done
done

# The invoice template on the shop database, with the queries written
# beside it (one argument to a line).
shop="$build/samples/shop"
mapfile -t queries < "$shop/Invoices.args"
pdf="$output/Shop - Invoices.pdf"
json="$output/Shop - Invoices.json"
if "$vellum" build "$shop/Invoices.vlf" --database "$shop/shop.sqlite" "${queries[@]}" \
    --now "$now" --locale en_US --json "$json" --pdf "$pdf"; then
  pages=$(grep -o '"totalPages": *[0-9]*' "$json" | grep -o '[0-9]*$')
  printf '  %-9s %-16s %3s page(s)  %s\n' "Shop" "Invoices" "$pages" "$pdf"
else
  printf '  %-9s %-16s FAILED\n' "Shop" "Invoices"
  status=1
fi
rm -f "$json"
exit $status
