# Shared by the Windows scripts: where the cross-built libraries live. The folder's name holds
# the versions of everything in it, so a change of any of them builds a new one.
qt_version=${qt_version:-6.4.2+dfsg-10}
de265_version=${de265_version:-1.0.11-1+deb12u2}
heif_version=${heif_version:-1.15.1-1+deb12u1}
cache_base=${TRAILBOOK_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/trailbook/windows}
cache_root=$cache_base/qtbase-${qt_version}_libde265-${de265_version}_libheif-${heif_version}_gcc12-posix
prefix=$cache_root/prefix
