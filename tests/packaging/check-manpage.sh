#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks a manual page against its program: the page documents every option the program's
# --help names and no option the program lacks, lists the exit statuses the help gives, groff
# reads it without a warning, and every option can be found in the page as man shows it: its
# dashes written \- (a plain - may show as a hyphen) and none broken across two lines.
set -euo pipefail
program=$1
page=$2

help=$(QT_QPA_PLATFORM=offscreen "$program" --help)
help_options=$(grep -oE -- '--[a-z][a-z-]*' <<<"$help" | sort -u)
page_options=$(sed 's/\\-/-/g' "$page" | grep -oE -- '--[a-z][a-z-]*' | sort -u)
failed=0
missing=$(comm -23 <(echo "$help_options") <(echo "$page_options"))
unknown=$(comm -13 <(echo "$help_options") <(echo "$page_options"))
if [ -n "$missing" ]; then
  echo "$page: options of $program --help not documented:" $missing
  failed=1
fi
if [ -n "$unknown" ]; then
  echo "$page: options $program does not have:" $unknown
  failed=1
fi

# "Exit status: 0 success, 1 ..., 2 ..." in the help; ".B N" items under EXIT STATUS in the page.
help_statuses=$(grep -E '^Exit status:' <<<"$help" | grep -oE '\b[0-9]+ ' | tr -d ' ' | sort -u || true)
page_statuses=$(sed -n '/^\.SH EXIT STATUS/,/^\.SH [^E]/p' "$page" | grep -E '^\.B [0-9]+$' |
  cut -d' ' -f2 | sort -u)
if [ -z "$page_statuses" ]; then
  echo "$page: no exit statuses"
  failed=1
elif [ -n "$help_statuses" ] && [ "$help_statuses" != "$page_statuses" ]; then
  echo "$page: exit statuses" $page_statuses "but the help says" $help_statuses
  failed=1
fi

# An option (a word starting with a dash) with a dash not written \-, comment lines left out.
plain=$(grep -v '^\.\\"' "$page" | grep -oP '(?<![\w\\-])(\\?-){1,2}[a-z]\w*(\\?-\w+)*' |
  grep -P '(?<!\\)-' | sort -u || true)
if [ -n "$plain" ]; then
  echo "$page: options with a plain dash:" $plain
  failed=1
fi
# Narrow lines break often: each option must show up as often as the page writes it.
shown=$(groff -man -Tutf8 -P-cbou -rLL=50n "$page" 2>/dev/null)
written=$(grep -v '^\.\\"' "$page" | sed 's/\\-/-/g')
for option in $help_options; do
  if [ "$(grep -oF -- "$option" <<<"$shown" | wc -l)" -ne \
    "$(grep -oF -- "$option" <<<"$written" | wc -l)" ]; then
    echo "$page: $option is broken across lines where man shows it"
    failed=1
  fi
done

warnings=$(groff -man -ww -z "$page" 2>&1 || true)
if [ -n "$warnings" ]; then
  echo "$page: groff warns: $warnings"
  failed=1
fi
[ "$failed" -eq 0 ] && echo "$page: $(wc -w <<<"$help_options") options, exit statuses" $page_statuses
exit "$failed"
