# Sourced by the scripts that install what the builds need.

# Installs those of the Debian packages named that are not installed yet, with sudo when not root.
install_missing_packages() {
    local sudo_cmd=() missing=() package
    if [ "$(id -u)" -ne 0 ]; then
        sudo_cmd=(sudo)
    fi
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        "${sudo_cmd[@]}" apt-get update -qq
        DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq \
            --no-install-recommends "${missing[@]}"
    fi
}

# Generates the UTF-8 locale (such as de_DE) unless the machine has it already.
generate_locale() {
    if ! locale -a 2>/dev/null | grep -qi "^$1\\.utf-\\?8\$"; then
        echo "Generating the locale $1.UTF-8"
        if [ "$(id -u)" -ne 0 ]; then
            sudo localedef -i "$1" -f UTF-8 "$1.UTF-8"
        else
            localedef -i "$1" -f UTF-8 "$1.UTF-8"
        fi
    fi
}
