# Sourced by the scripts that start a test server as root in a folder of their own (the CUPS
# scheduler, the Wayland desktop). The folder must be one that nobody else can have prepared:
# a link planted in it, or in its place, would lead root's writes to another file.
#
#   make_private_folder TEMPLATE [DIR]
#       sets `private_folder` to a new folder: a fresh one from `mktemp -d TEMPLATE`, or DIR,
#       which must not exist yet and whose parents others cannot swap for a link. The folder
#       is readable by all (the servers' helpers run as other users) and writable by its maker
#       only. Fails with a message otherwise.
#   owns_private_folder DIR MARK
#       whether DIR is such a folder of this user's, holding the file MARK, and no link.

make_private_folder() {
    local template=$1
    shift
    if [ $# -eq 0 ]; then
        private_folder=$(mktemp -d "$template") || return 1
    else
        # Absolute, with no link in it resolved: a link planted under that name must make the
        # mkdir below fail, not lead it elsewhere.
        private_folder=$(realpath -ms -- "$1")
        local folder
        folder=$(dirname -- "$private_folder")
        # Each folder above must be root's or ours, and others may not write it unless it is
        # sticky: else they could swap our folder for a link once it is made.
        while :; do
            if [ -z "$(find -H "$folder" -maxdepth 0 \( -user 0 -o -user "$(id -u)" \) \
                \( ! -perm /022 -o -perm -1000 \) 2>/dev/null)" ]; then
                echo "refused: others may replace $private_folder through $folder; give a safe place" >&2
                return 1
            fi
            [ "$folder" = / ] && break
            folder=$(dirname -- "$folder")
        done
        # mkdir makes a new folder or fails, also where a link of that name exists.
        if ! mkdir -m 700 -- "$private_folder" 2>/dev/null; then
            echo "refused: $private_folder exists; give a new name or none (a private folder is made)" >&2
            return 1
        fi
    fi
    chmod 755 -- "$private_folder"
}

owns_private_folder() {
    [ -d "$1" ] && [ ! -L "$1" ] && [ -O "$1" ] && [ -f "$1/$2" ]
}
