#!/bin/sh
# The type of *.bx0 documents is well-formed shared-mime-info XML and agrees with the other
# descriptions: the desktop entry opens it, the metainfo names it, and it shows the application's
# icon. Arguments: the package folder, the configured metainfo file.
command -v xmllint >/dev/null || { echo "xmllint not found (apt-get install libxml2-utils): skipped"; exit 77; }
package=$1 metainfo=$2
mime=$package/org.belfrix.Belfrix.mime.xml
desktop=$package/org.belfrix.Belfrix.desktop
xmllint --noout "$mime" || exit 1

value() { xmllint --xpath "string($2)" "$1"; }   # file, XPath
key() { sed -n "s/^$2=//p" "$1"; }                # desktop entry, key
failed=0
check() {  # what, value, expected
    [ "$2" = "$3" ] || { echo "$1 is '$2', expected '$3'"; failed=1; }
}
type=$(value "$mime" '//*[local-name()="mime-type"]/@type')
check "the glob" "$(value "$mime" '//*[local-name()="glob"]/@pattern')" "*.bx0"
check "the comment" "$(value "$mime" '//*[local-name()="comment"]')" "Vesk Document"
check "the icon" "$(value "$mime" '//*[local-name()="icon"]/@name')" "$(key "$desktop" Icon)"
check "the desktop entry's MimeType" "$(key "$desktop" MimeType)" "$type;"
check "the metainfo's mediatype" "$(value "$metainfo" '//mediatype')" "$type"
exit $failed
