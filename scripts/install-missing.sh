# Sourced by the scripts that need Debian packages.
#
# install_missing PACKAGE... installs those of the named packages that are not
# installed yet (with sudo when not root) and does nothing when all are there.
install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -gt 0 ] || return 0
    echo "Installing: ${missing[*]}"
    _apt_get update -qq
    _apt_get install -y -qq --no-install-recommends "${missing[@]}"
}

# install_build_depends CONTROL installs what building the package needs: the
# Build-Depends of the Debian control file CONTROL (the one list of them) and
# build-essential, which Debian takes for granted. Nothing when all is there.
install_build_depends() {
    install_missing build-essential
    dpkg-checkbuilddeps "$1" 2>/dev/null && return 0
    # The field's value, its continuation lines joined and the last comma cut.
    local depends
    depends=$(sed -n '/^Build-Depends:/,/^[^ ]/{s/^Build-Depends://;/^[^ ]/d;p}' "$1" |
        tr '\n' ' ' | sed 's/,[[:space:]]*$//')
    echo "Installing the build dependencies:$depends"
    _apt_get update -qq
    _apt_get satisfy -y -qq --no-install-recommends "$depends"
}

_apt_get() {
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get "$@"
}
