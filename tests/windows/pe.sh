# Reading Windows program files (PE) with binutils, for the tests. Source it with
# $objdump naming the cross binutils' objdump.

# The resources of program $1, one "type:name" line each (decimal), sorted.
ResourcesOf() {
    "$objdump" -p "$1" | awk '
        /^[0-9a-f]+   Entry: ID:/ { type = $4; sub(",", "", type) }
        /^[0-9a-f]+     Entry: ID:/ { name = $4; sub(",", "", name); print type, name }' |
        while read -r type name; do printf '%d:%d\n' "$type" "$name"; done | sort -t: -k1,1n -k2,2n
}

# The FileVersion text of program $1's version information: it follows its
# name among the program's UTF-16 strings.
FileVersionOf() {
    strings -el "$1" | awk 'seen { print; exit } $0 == "FileVersion" { seen = 1 }'
}

# The text of program $1's manifest (resource 24:1), as the cross binutils'
# windres, which $windres names, reads it back from the program.
ManifestOf() {
    "$windres" -i "$1" -O rc | awk '
        /^1 24 / { inside = 1; next }
        inside && /^END/ { exit }
        inside && /^ *"/ {
            sub(/^ *"/, ""); sub(/"$/, "")
            gsub(/""/, "\""); gsub(/\\n/, "\n"); gsub(/\\t/, "\t"); gsub(/\\\\/, "\\")
            printf "%s", $0
        }'
}
