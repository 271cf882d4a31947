#!/usr/bin/env bash
# A shipped file stays within its size budget (bytes, as the package holds it).
# Usage: check_size_budget.sh <file> <budget in bytes>
set -euo pipefail
file=$1 budget=$2
size=$(stat -c %s "$file")
if [ "$size" -gt "$budget" ]; then
  echo "$file is $size bytes, $((size - budget)) over its budget of $budget (docs/performance.md, \"Shipped sizes\")"
  exit 1
fi
echo "$(basename "$file") is $size bytes, $((budget - size)) within its budget of $budget"
