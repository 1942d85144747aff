#!/usr/bin/env bash
# CI: docs/ built into the docs site (mkdocs.yml) with Debian's mkdocs: it fails on a
# link to a page or heading that does not exist and on a page left out of the
# navigation. Prints the pages built and the seconds taken.
set -euo pipefail
cd "$(dirname "$0")/../.."
echo "=== docs: site"
start=$SECONDS
mkdocs build --quiet --clean
pages=$(find build/site -name '*.html' ! -name 404.html | wc -l)
[ -s build/site/search/search_index.json ] || { echo "docs site: no search index"; exit 1; }
echo "docs site: $pages pages with search in build/site/ in $((SECONDS - start)) s"
