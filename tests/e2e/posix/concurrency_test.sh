#!/usr/bin/env bash
# Two shells jumping at the same moment each land where their own program
# sent them.
source "$(dirname "$0")/lib.sh"

# hopfind as it is, except that each run waits, once it has written its
# handoff file, until the other has written its own: both files are
# written before either shell reads one. A run that waits in vain fails.
barrier=$(new_dir barrier)
stand_in "$E2E_TMP/stand-ins" hopfind <<EOF
"$HOPDIR_BIN/hopfind" "\$@" && status=0 || status=\$?
touch "$barrier/\$\$"
deadline=\$((SECONDS + $E2E_PATIENCE))
until [ "\$(ls "$barrier" | wc -l)" -ge 2 ]; do
  if [ "\$SECONDS" -ge "\$deadline" ]; then
    echo "hopfind: the other run never came" >&2
    exit 1
  fi
  sleep 0.05
done
exit "\$status"
EOF

case_start "two shells of one user run hf at once"
tmp=$(new_dir tmp)
for pane in left right; do
  mkdir -p "$E2E_TMP/$pane/Target"
  pane_start "$pane" bash "$E2E_TMP/$pane"
  pane_path_first "$pane" "$E2E_TMP/stand-ins"
  pane_run "$pane" "TMPDIR=$(pane_quote "$tmp")"
  pane_type "$pane" 'hf target'
done
pane_keys left Enter
pane_keys right Enter
# Longer than a stand-in waits for the other, so that a run waiting in vain
# shows as its failure.
for pane in left right; do
  pane_wait_prompt "$pane" $((2 * E2E_PATIENCE))
  assert_status 0 "hf target in pane $pane"
done
met=("$barrier"/*)
[ "${#met[@]}" -eq 2 ] || fail "the two runs did not meet"
assert_pwd left "$E2E_TMP/left/Target" "pane left"
assert_pwd right "$E2E_TMP/right/Target" "pane right"

e2e_done
