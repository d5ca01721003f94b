# The environment every Windows program of the build runs in under Wine, sourced
# by the scripts that start one and read by the tests' driver: no debug output,
# no dialogs offering to download Wine's .NET and HTML engines into a new
# prefix, no menu entries on the user's desktop for shortcuts a test installs,
# and the 64-bit Windows that the cross-build makes programs for.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
