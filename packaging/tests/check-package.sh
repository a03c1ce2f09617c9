#!/usr/bin/env bash
# Builds the Debian package from the build tree, unpacks it with dpkg -x and
# checks what `apt install ./torvio_*.deb` would give: the files, their
# validity, and programs that run from where they were unpacked (through
# their RPATH, with no LD_LIBRARY_PATH).
#   check-package.sh CPACK BUILD_DIR WORK_DIR VERSION
set -uo pipefail
cpack=$1 build=$2 work=$3 version=$4
export LC_ALL=C.UTF-8
unset LD_LIBRARY_PATH

fail() {
  echo "FAIL: $*"
  exit 1
}

rm -rf "$work" && mkdir -p "$work" || exit 1
cd "$work" || exit 1
# No program run here touches the user's settings or runtime folder.
mkdir -m 700 runtime && export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config

# The package.
"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$work/cpack" >cpack.log 2>&1 ||
  { cat cpack.log; fail "cpack failed"; }
debs=(cpack/torvio_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "expected one torvio_*.deb, found: ${debs[*]}"
deb=${debs[0]}
[[ $(basename "$deb") == "torvio_${version}_$(dpkg --print-architecture).deb" ]] ||
  fail "package file named $(basename "$deb")"
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"

[[ $(dpkg-deb -f "$deb" Package) == torvio ]] || fail "package name"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "package version"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libc6 libstdc++6 libqt6core6 libqt6widgets6 libqt6charts6; do
  [[ ", $depends," == *", $lib ("* ]] || fail "Depends lacks $lib (dpkg-shlibdeps not run?)"
done
[[ $depends != *parvex* && $depends != *sirenta* ]] ||
  fail "Depends names the package's own libraries"

# Nothing outside /usr.
outside=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '^\./usr/' | grep -vx '\./')
[[ -z $outside ]] || fail "files outside /usr: $outside"

root=$work/root
dpkg -x "$deb" "$root" || fail "dpkg -x"
usr=$root/usr
for f in bin/torvio bin/torvio-gen bin/torvio-mmi \
  lib/libparvex.so.1 lib/libsirenta.so.1 \
  share/torvio/help/index.html \
  share/applications/torvio.desktop share/mime/packages/torvio.xml \
  share/icons/hicolor/scalable/apps/torvio.svg \
  share/metainfo/org.torvio.torvio.metainfo.xml \
  share/man/man1/torvio.1.gz share/man/man1/torvio-gen.1.gz share/man/man1/torvio-mmi.1.gz \
  share/bash-completion/completions/torvio-gen; do
  [[ -e $usr/$f ]] || fail "missing /usr/$f"
done
templates=$(ls "$usr/share/torvio/Templates"/*.th | wc -l)
[[ $templates -eq 9 ]] || fail "$templates templates instead of 9"
# The programs find the package's libraries beside them through their RPATH.
for program in torvio torvio-gen torvio-mmi; do
  resolved=$(ldd "$usr/bin/$program" | grep -E 'lib(parvex|sirenta)\.so')
  [[ -n $resolved ]] || fail "$program links neither libparvex nor libsirenta"
  while read -r line; do
    [[ $line == *"=> $usr/"* ]] || fail "$program: $line"
  done <<<"$resolved"
done

# Desktop entry and AppStream data; validate-tree also checks that the
# launchable names a desktop file the package holds.
desktop-file-validate "$usr/share/applications/torvio.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$usr/share/metainfo/org.torvio.torvio.metainfo.xml" ||
  fail "appstreamcli validate"
appstreamcli validate-tree --no-net "$root" >tree.log 2>&1 ||
  { cat tree.log; fail "validate-tree"; }

# Man pages: valid gzip and roff, and listing every option the installed
# program's --help lists.
for program in torvio torvio-gen torvio-mmi; do
  page=$usr/share/man/man1/$program.1.gz
  gzip -t "$page" || fail "$page is not gzip"
  warnings=$(zcat "$page" | groff -man -Tutf8 -ww -z 2>&1)
  [[ -z $warnings ]] || fail "$program.1: $warnings"
  text=$(zcat "$page")
  [[ $text == *".TH ${program^^} \"1\""* ]] || fail "$program.1 has no .TH ${program^^} 1"
  [[ $text != *"$build"* && $text != *"${build//-/\\-}"* ]] || fail "$program.1 shows $build"
  options=$(QT_QPA_PLATFORM=offscreen "$usr/bin/$program" --help |
    grep -oE '^  (-[^-][^ ,]*, )*--[[:alnum:]][-[:alnum:]]*' | grep -oE -- '--[-[:alnum:]]+$')
  [[ -n $options ]] || fail "no options in $program --help"
  for option in $options; do
    [[ $text == *"\\fB${option//-/\\-}\\fR"* ]] || fail "$program.1 does not list $option"
  done
done

# Bash completion: the packaged script against the packaged program.
reply=$(PATH="$usr/bin:$PATH" bash -c '
  source /usr/share/bash-completion/bash_completion && source "$1" || exit 1
  COMP_WORDS=(torvio-gen --pro) COMP_CWORD=1 COMP_LINE="torvio-gen --pro" COMP_POINT=16
  _torvio_gen torvio-gen --pro torvio-gen && echo "${COMPREPLY[*]}"' \
  _ "$usr/share/bash-completion/completions/torvio-gen")
[[ $reply == --project ]] || fail "completion of --pro gave '$reply'"

# The programs, run from the unpacked tree, take the templates from its
# share/torvio/Templates.
[[ $("$usr/bin/torvio-gen" --version) == "torvio-gen $version" ]] || fail "torvio-gen --version"
mkdir run && cd run || exit 1
"$usr/bin/torvio-gen" --save-default X.tvd >save.log 2>&1 ||
  { cat save.log; fail "--save-default"; }
[[ -s X.tvd ]] || fail "--save-default wrote no X.tvd"
"$usr/bin/torvio-gen" --project X.tvd --output OUT >gen.log 2>&1 ||
  { cat gen.log; fail "generation"; }
grep -qxF "Templates Dir : $usr/share/torvio/Templates/" gen.log ||
  { cat gen.log; fail "generation did not use the packaged templates"; }
for f in MC_Control_Param.h MC_PMSM_motor_param.h MC_Hall_prm.h MC_encoder_param.h \
  MC_State_Observer_param.h MC_pwm_1shunt_prm.h MC_pwm_3shunt_prm.h MC_pwm_ics_prm.h \
  Garnetline_MCconf.h BuildLog.xml; do
  [[ -s OUT/$f ]] || fail "generation did not write OUT/$f"
done
mmi=$("$usr/bin/torvio-mmi") || fail "torvio-mmi"
[[ $mmi == *"single shunt: 95 % (limit found)"* ]] || fail "torvio-mmi printed: $mmi"

# The program starts (offscreen) and, on a first run, picks the packaged
# templates (settings in the scratch XDG_CONFIG_HOME).
QT_QPA_PLATFORM=offscreen timeout 60 "$usr/bin/torvio" --screenshot window.png >gui.log 2>&1 ||
  { cat gui.log; fail "torvio"; }
[[ $(file -b window.png) == "PNG image data"* ]] || fail "torvio --screenshot wrote no PNG"
grep -qxF "TemplatesDir=$usr/share/torvio/Templates" "$work/config/TORVIO/TORVIO.conf" ||
  fail "first run did not pick the packaged templates"

echo "package checks passed"
