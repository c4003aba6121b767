#!/bin/sh
# Builds the libraries the Windows game links statically (zlib, libpng, libjpeg-turbo, freetype,
# HarfBuzz, SDL2, SDL2_ttf, SDL2_mixer) with Debian's MinGW-w64 from Debian's own source packages, into a prefix kept
# in a cache keyed by the packages' versions and this script: a second run with nothing changed does
# nothing. Needs root for the deb-src line and the packages when they are missing.
# Usage: tools/windows/build-deps.sh PREFIX_ROOT   (prints the prefix it built or found)
set -eu
Top=$(cd "$(dirname "$0")/../.." && pwd)
Root=${1:-$Top/build/windows-deps}
Host=x86_64-w64-mingw32
Jobs=$(nproc 2>/dev/null || echo 2)
Packages="libsdl2 libsdl2-ttf libsdl2-mixer zlib libpng1.6 libjpeg-turbo freetype harfbuzz"

Log() { echo "build-deps: $*" >&2; }

EnsureSources() {
    if ! apt-cache showsrc libsdl2 2>/dev/null | grep -q '^Version'; then
        Log "adding Debian's source archive (deb-src) for apt-get source"
        . /etc/os-release
        printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s %s-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
            "$VERSION_CODENAME" "$VERSION_CODENAME" >/etc/apt/sources.list.d/zerathon-src.sources
        apt-get update -q >/dev/null
    fi
}

Versions() {
    for P in $Packages; do
        printf '%s=%s\n' "$P" "$(apt-cache showsrc "$P" | sed -n 's/^Version: //p' | head -1)"
    done
}

EnsureSources
Key=$( (Versions; cat "$0" "$Top/cmake/MinGW64.cmake"; $Host-gcc-posix --version | head -1) | sha256sum | cut -c1-16)
Prefix=$Root/$Key
if [ -f "$Prefix/.done" ]; then
    echo "$Prefix"
    exit 0
fi

Work=$Root/work-$Key
rm -rf "$Work" "$Prefix"
mkdir -p "$Work/src" "$Prefix"
cd "$Work/src"
Log "fetching sources: $Packages"
apt-get source -q --download-only $Packages >/dev/null
for Dsc in *.dsc; do dpkg-source -q --no-check -x "$Dsc" >/dev/null; done

Dir() { find "$Work/src" -maxdepth 1 -type d -name "$1-[0-9]*" | head -1; }

export PKG_CONFIG_LIBDIR="$Prefix/lib/pkgconfig"
export PKG_CONFIG_PATH=
export CPPFLAGS="-I$Prefix/include"
export LDFLAGS="-L$Prefix/lib"
export CFLAGS="-O2"
Configure() {
    ./configure --host=$Host --prefix="$Prefix" --enable-static --disable-shared "$@" >configure.log 2>&1 ||
        { tail -30 configure.log >&2; exit 1; }
}
Make() {
    make -j "$Jobs" >make.log 2>&1 || { tail -30 make.log >&2; exit 1; }
    make install >install.log 2>&1 || { tail -30 install.log >&2; exit 1; }
}
# Debian's tarballs of libjpeg-turbo and the SDL satellites carry CMake files only.
CMakeBuild() {
    mkdir -p build && cd build
    cmake .. -DCMAKE_TOOLCHAIN_FILE="$Top/cmake/MinGW64.cmake" -DZERATHON_WINDOWS_PREFIX="$Prefix" \
        -DCMAKE_PREFIX_PATH="$Prefix" -DCMAKE_INSTALL_PREFIX="$Prefix" -DCMAKE_BUILD_TYPE=Release \
        -DBUILD_SHARED_LIBS=OFF "$@" >configure.log 2>&1 || { tail -30 configure.log >&2; exit 1; }
    Make
}

# zlib's Debian tarball lacks its Windows makefile: the few files compiled by hand.
Log zlib
cd "$(Dir zlib)"
for C in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate inftrees trees \
    uncompr zutil; do
    $Host-gcc-posix -O2 -c $C.c -o $C.o
done
mkdir -p "$Prefix/include" "$Prefix/lib/pkgconfig"
$Host-ar rcs "$Prefix/lib/libz.a" ./*.o
cp zlib.h zconf.h "$Prefix/include/"
printf 'prefix=%s\nlibdir=${prefix}/lib\nincludedir=${prefix}/include\nName: zlib\nDescription: zlib\nVersion: 1.2.13\nLibs: -L${libdir} -lz\nCflags: -I${includedir}\n' \
    "$Prefix" >"$Prefix/lib/pkgconfig/zlib.pc"

Log libpng
cd "$(Dir libpng1.6)"
Configure
Make

Log libjpeg-turbo
cd "$(Dir libjpeg-turbo)"
CMakeBuild -DENABLE_SHARED=OFF -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF

Log freetype
cd "$(Dir freetype)"
Configure --with-zlib=yes --with-png=no --with-harfbuzz=no --with-bzip2=no --with-brotli=no
Make

Log SDL2
cd "$(Dir libsdl2)"
CMakeBuild -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF

# Text is shaped by HarfBuzz, as Debian's SDL2_ttf does: without it kerning differs, and so would every
# line of text from the Linux game's.
Log harfbuzz
cd "$(Dir harfbuzz)"
CMakeBuild -DHB_HAVE_FREETYPE=ON -DHB_HAVE_GLIB=OFF -DHB_HAVE_ICU=OFF -DHB_HAVE_GOBJECT=OFF \
    -DHB_BUILD_UTILS=OFF -DHB_BUILD_SUBSET=OFF -DHB_BUILD_TESTS=OFF

Log SDL2_ttf
cd "$(Dir libsdl2-ttf)"
CMakeBuild -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=ON -DSDL2TTF_SAMPLES=OFF

# Ogg through its built-in stb_vorbis; no format that needs another library.
Log SDL2_mixer
cd "$(Dir libsdl2-mixer)"
CMakeBuild -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_FLAC=OFF \
    -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_MP3=OFF -DSDL2MIXER_VORBIS=STB

touch "$Prefix/.done"
rm -rf "$Work"
Log "done: $Prefix"
echo "$Prefix"
