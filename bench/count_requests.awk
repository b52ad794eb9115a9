# Counts the wineserver requests per call in a benchmark's run under
# WINEDEBUG=+server (tools/bench.sh).
# Between "@@ begin TID NAME|WAY" and "@@ end ...": the request lines of
# thread TID (a name, "( ", no " = "; replies have " = "). Every call has
# an empty bracket of its own before it, "(markers)": what the marker
# writes cost is taken off.
function key_of(line) { sub(/^@@ (begin|end) [0-9a-f]+ /, "", line); return line }
function per(k) { return (k in calls) ? requests[k] / calls[k] : 0 }
/^@@ begin / {
  tid = $3; key = key_of($0); inside = 1
  split(key, parts, "|")
  if (!(parts[1] in known)) { known[parts[1]] = 1; order[++names] = parts[1] }
  calls[key]++
  next
}
/^@@ end / { inside = 0; next }
inside && index($0, tid ": ") == 1 && $0 ~ /^[0-9a-f]+: [A-Za-z_0-9]+\( / && index($0, " = ") == 0 {
  requests[key]++
}
END {
  printf "%-30s %10s %12s %7s %10s\n", "operation (requests per call)", "runtime", "same effect", "ratio", "bare call"
  for (i = 1; i <= names; i++) {
    name = order[i]
    m = per(name "|(markers)")
    r = per(name "|runtime") - m
    s = per(name "|same effect") - m
    # A baseline without requests against a runtime with some is a miss, not "-".
    ratio = s > 0 ? sprintf("%7.2f", r / s) : sprintf("%7s", r > 0 ? "inf" : "-")
    bare = ((name "|bare call") in calls) ? sprintf("%10.1f", per(name "|bare call") - m) : sprintf("%10s", "-")
    printf "%-30s %10.1f %12.1f %s %s\n", name, r, s, ratio, bare
  }
}
