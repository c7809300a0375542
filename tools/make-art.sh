#!/usr/bin/env bash
# Draws Lanvoy's icons and toolbar bitmaps into res/art from the vector
# drawings below, so the committed images can be made again and changed here.
# Usage: tools/make-art.sh [output folder]   (needs ImageMagick)
#
# Every drawing is ImageMagick vector graphics in a 32x32 space, rendered at
# eight times the target size and averaged down, which gives clean edges.
# Toolbar bitmaps are 24-bit on pure white: the image list takes white as
# transparent, so no drawn pixel may be pure white (highlights use 254).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/res/art}"
mkdir -p "$out"

if command -v magick >/dev/null 2>&1; then im=(magick); else im=(convert); fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The colour the toolbar shows behind the buttons: soft edges are blended
# towards it rather than towards the white that becomes transparent.
face='#F0F0F0'

# ---- Shared parts ------------------------------------------------------------

# grad ID X1 Y1 X2 Y2 COLOUR1 COLOUR2: a linear gradient definition.
grad() {
  cat <<EOF
push defs
push gradient '$1' linear $2,$3 $4,$5
stop-color '$6' 0
stop-color '$7' 1
pop gradient
pop defs
EOF
}

# page X0 Y0 X1 Y1 FOLD: a sheet of paper with a folded corner and text lines;
# coordinates are the outline's pixel edges.
page() {
  local x0=$1 y0=$2 x1=$3 y1=$4 f=$5
  local l=$((x0 + 3)) r=$((x1 - 3))
  grad "paper$x0" 0 "$y0" 0 "$y1" '#FEFEFE' '#DCE4EE'
  cat <<EOF
push graphic-context
stroke '#6F7E91'
stroke-width 1
stroke-linejoin round
fill 'url(#paper$x0)'
path 'M $x0.5,$y0.5 L $((x1 - f)).5,$y0.5 L $x1.5,$((y0 + f)).5 L $x1.5,$y1.5 L $x0.5,$y1.5 Z'
pop graphic-context
push graphic-context
stroke '#6F7E91'
stroke-width 1
stroke-linejoin round
fill '#C9D3E0'
path 'M $((x1 - f)).5,$y0.5 L $((x1 - f)).5,$((y0 + f)).5 L $x1.5,$((y0 + f)).5 Z'
pop graphic-context
push graphic-context
fill '#A3B1C3'
rectangle $l,$((y0 + 4)) $((x1 - f - 2)),$((y0 + 5))
EOF
  local y
  for ((y = y0 + f + 3; y + 2 <= y1 - 2; y += 3)); do
    echo "rectangle $l,$y $r,$((y + 1))"
  done
  echo "pop graphic-context"
}

# disc CX CY R LIGHT DARK EDGE: a round badge lit from the top left.
disc() {
  local id="disc$1$2"
  grad "$id" "$(($1 - $3))" "$(($2 - $3))" "$(($1 + $3 / 2))" "$(($2 + $3))" "$4" "$5"
  cat <<EOF
push graphic-context
fill 'url(#$id)'
stroke '$6'
stroke-width 1
circle $1,$2 $1,$(($2 - $3))
pop graphic-context
EOF
}

# gloss CX CY RX RY: the soft highlight on the upper half of a round badge.
gloss() {
  cat <<EOF
push graphic-context
fill '#FEFEFE'
fill-opacity 0.28
ellipse $1,$2 $3,$4 0,360
pop graphic-context
EOF
}

# ---- Icons -------------------------------------------------------------------

# The application: an Ethernet socket on a blue tile, with the two arrows of
# a switch over it. SIZE 16 leaves out what cannot be seen at that size.
draw_app() {
  local size=$1
  grad tile 0 1 0 31 '#49A6F4' '#0F4FAE'
  grad body 0 13 0 28 '#F4F7FB' '#B9C6D6'
  cat <<EOF
push graphic-context
fill 'url(#tile)'
stroke '#0A3C84'
stroke-width 1
roundrectangle 1.5,1.5 30.5,30.5 6,6
pop graphic-context
push graphic-context
fill '#FEFEFE'
fill-opacity 0.16
path 'M 2,8 C 2,4 4,2 8,2 L 24,2 C 28,2 30,4 30,8 L 30,13 C 22,16 10,16 2,13 Z'
pop graphic-context
EOF
  if ((size > 16)); then
    cat <<EOF
push graphic-context
fill '#FEFEFE'
stroke none
polygon 7,6 21,6 21,4 25,7 21,10 21,8 7,8
fill '#9BE870'
polygon 25,11 11,11 11,9 7,12 11,15 11,13 25,13
pop graphic-context
push graphic-context
fill 'url(#body)'
stroke '#24466F'
stroke-width 1
roundrectangle 6.5,16.5 25.5,29.5 2,2
pop graphic-context
push graphic-context
fill '#1E2833'
stroke none
polygon 9,18 23,18 23,25 19,25 19,27 13,27 13,25 9,25
fill '#E8B72A'
EOF
    local x
    for ((x = 10; x <= 21; x += 2)); do echo "rectangle $x,18 $((x + 1)),21"; done
    echo "pop graphic-context"
  else
    cat <<EOF
push graphic-context
fill '#FEFEFE'
polygon 6,6 22,6 22,3 27,7.5 22,12 22,9 6,9
pop graphic-context
push graphic-context
fill 'url(#body)'
stroke '#24466F'
stroke-width 2
roundrectangle 5,14 27,29 2,2
pop graphic-context
push graphic-context
fill '#1E2833'
stroke none
polygon 8,16 24,16 24,24 20,24 20,27 12,27 12,24 8,24
fill '#E8B72A'
rectangle 10,16 22,19
pop graphic-context
EOF
  fi
}

# The shortcut: the application's tile with a lightning badge, "apply now".
draw_shortcut() {
  local size=$1
  draw_app "$size"
  if ((size > 16)); then
    disc 24 24 7 '#FFD34D' '#EE7F00' '#A85A00'
    echo "fill '#FEFEFE'"
    echo "polygon 25.5,17.5 19.5,25 23.5,25 22,30.5 28.5,22.5 24.5,22.5 26.5,17.5"
  else
    disc 23 23 8 '#FFD34D' '#EE7F00' '#A85A00'
    echo "fill '#FEFEFE'"
    echo "polygon 25,15.5 18,24.5 22.5,24.5 21,30.5 28.5,21.5 24,21.5 26,15.5"
  fi
}

# A profile row: a settings sheet with a small network badge.
draw_profile() {
  local size=$1
  if ((size > 16)); then
    page 6 2 24 29 6
    disc 23 23 7 '#5DB2F5' '#1460C2' '#0D4791'
    cat <<EOF
push graphic-context
stroke '#FEFEFE'
stroke-width 1.2
line 23,19.5 19.8,26
line 23,19.5 26.2,26
line 19.8,26 26.2,26
fill '#FEFEFE'
stroke none
circle 23,19.5 23,17.6
circle 19.8,26 19.8,24.1
circle 26.2,26 26.2,24.1
pop graphic-context
EOF
  else
    grad paper 0 2 0 30 '#FEFEFE' '#D3DCE8'
    cat <<EOF
push graphic-context
stroke '#5F6E82'
stroke-width 2
stroke-linejoin round
fill 'url(#paper)'
path 'M 5,3 L 19,3 L 25,9 L 25,29 L 5,29 Z'
pop graphic-context
push graphic-context
fill '#A3B1C3'
stroke none
rectangle 8,12 19,14
rectangle 8,17 15,19
pop graphic-context
EOF
    disc 23 23 8 '#5DB2F5' '#1460C2' '#0D4791'
    cat <<EOF
push graphic-context
fill '#FEFEFE'
circle 23,19 23,16.8
circle 19.3,26 19.3,23.8
circle 26.7,26 26.7,23.8
stroke '#FEFEFE'
stroke-width 1.6
line 23,19 19.3,26
line 23,19 26.7,26
pop graphic-context
EOF
  fi
}

# ---- Toolbar pictures --------------------------------------------------------

draw_apply() {
  disc 16 16 13 '#86E066' '#23891A' '#1A6612'
  gloss 16 10 10 6
  cat <<EOF
push graphic-context
fill none
stroke '#FEFEFE'
stroke-width 3.4
stroke-linecap round
stroke-linejoin round
polyline 9.5,16.5 14,21 22.5,11
pop graphic-context
EOF
}

draw_properties() {
  page 4 2 21 28 6
  grad glass 12 11 24 25 '#EAF6FE' '#9FD0F3'
  cat <<EOF
push graphic-context
stroke '#3B4756'
stroke-width 4
stroke-linecap round
line 24,24 28.5,28.5
stroke '#6B7A8D'
stroke-width 1.6
line 24.5,24.5 28,28
pop graphic-context
push graphic-context
fill 'url(#glass)'
stroke '#3B4756'
stroke-width 2
circle 19,18 19,11.5
pop graphic-context
push graphic-context
fill none
stroke '#FEFEFE'
stroke-width 1.3
stroke-linecap round
path 'M 15.5,17.5 A 4,4 0 0,1 19,14'
pop graphic-context
EOF
}

draw_new() {
  page 5 2 22 28 6
  disc 23 23 7 '#7DDB5F' '#26901C' '#1B6E13'
  cat <<EOF
push graphic-context
fill '#FEFEFE'
rectangle 19,22 27,24
rectangle 22,19 24,27
pop graphic-context
EOF
}

draw_edit() {
  page 4 2 21 28 6
  # The pencil is drawn lying along x with its point at the origin, then
  # turned to lean over the sheet.
  grad wood 0 -3 0 3 '#FFD86B' '#E39A12'
  cat <<EOF
push graphic-context
translate 11.5,28.5
rotate -45
fill 'url(#wood)'
stroke '#8A5A07'
stroke-width 0.9
stroke-linejoin round
path 'M 0,0 L 5,-2.6 L 17,-2.6 L 17,2.6 L 5,2.6 Z'
pop graphic-context
push graphic-context
translate 11.5,28.5
rotate -45
stroke '#8A5A07'
stroke-width 0.9
stroke-linejoin round
fill '#F2D3A2'
path 'M 0,0 L 5,-2.6 L 5,2.6 Z'
fill '#2F3338'
stroke none
path 'M 0,0 L 1.8,-0.95 L 1.8,0.95 Z'
fill '#B7BEC8'
stroke '#6C7480'
rectangle 17,-2.6 19,2.6
fill '#F08D9B'
stroke '#A8485A'
path 'M 19,-2.6 L 21.3,-2.6 C 22.3,-2.6 22.3,2.6 21.3,2.6 L 19,2.6 Z'
stroke '#FEFEFE'
stroke-opacity 0.7
stroke-width 0.8
line 6,-1.3 16.5,-1.3
pop graphic-context
EOF
}

draw_delete() {
  page 5 2 22 28 6
  disc 23 23 7 '#FF7A6E' '#C71D14' '#8E120C'
  cat <<EOF
push graphic-context
stroke '#FEFEFE'
stroke-width 2.3
stroke-linecap round
line 20,20 26,26
line 26,20 20,26
pop graphic-context
EOF
}

draw_copy() {
  page 3 2 18 22 5
  page 11 8 26 29 5
}

draw_donate() {
  grad heart 4 4 22 28 '#FF7C7C' '#C4142A'
  cat <<EOF
push graphic-context
fill 'url(#heart)'
stroke '#8F0F1F'
stroke-width 1
stroke-linejoin round
path 'M 16,28 C 9,22.5 3.5,17.5 3.5,11 C 3.5,6.8 6.6,4 10.2,4 C 12.8,4 14.8,5.6 16,7.8 C 17.2,5.6 19.2,4 21.8,4 C 25.4,4 28.5,6.8 28.5,11 C 28.5,17.5 23,22.5 16,28 Z'
pop graphic-context
push graphic-context
fill '#FEFEFE'
fill-opacity 0.55
path 'M 6.5,11.5 C 6.5,8.5 8.2,6.8 10.3,6.8 C 11.6,6.8 12.3,7.3 12.8,7.9 C 10,8.3 8.2,9.8 7.4,12.8 Z'
pop graphic-context
EOF
}

draw_about() {
  disc 16 16 13 '#6CB9F5' '#1158BE' '#0C428E'
  gloss 16 10 10 6
  cat <<EOF
push graphic-context
fill '#FEFEFE'
circle 16,9.5 16,7.2
path 'M 12.5,13 L 17.8,13 L 17.8,21.5 L 19.5,21.5 L 19.5,24 L 12.5,24 L 12.5,21.5 L 14.2,21.5 L 14.2,15.5 L 12.5,15.5 Z'
pop graphic-context
EOF
}

draw_help() {
  disc 16 16 13 '#A58CF2' '#4F2DB0' '#3A1F86'
  gloss 16 10 10 6
  cat <<EOF
push graphic-context
fill none
stroke '#FEFEFE'
stroke-width 3.2
stroke-linecap round
stroke-linejoin round
path 'M 11.5,12 C 11.5,5.8 20.5,5.8 20.5,11.5 C 20.5,15.2 16,15 16,19'
fill '#FEFEFE'
stroke none
circle 16,23.8 16,21.8
pop graphic-context
EOF
}

# ---- Rendering ---------------------------------------------------------------

# render DRAWING SIZE FILE: the drawing at SIZE pixels, with alpha.
render() {
  local big=$(($2 * 8))
  "${im[@]}" -size "${big}x${big}" xc:none \
    -draw "affine $(awk "BEGIN{print $2/4}") 0 0 $(awk "BEGIN{print $2/4}") 0 0
$("draw_$1" "$2")" \
    -filter Box -resize "$2x$2" PNG32:"$3"
}

# icon NAME FILE SIZES...: a 32-bit icon with one image per size.
icon() {
  local name=$1 file=$2 size images=()
  shift 2
  for size in "$@"; do
    render "$name" "$size" "$work/$name-$size.png"
    images+=("$work/$name-$size.png")
  done
  "${im[@]}" "${images[@]}" ICO:"$out/$file"
}

# Every size a picture is drawn at: 100 %, 125 %, 150 % and 200 % of the
# 16- and 32-pixel pictures. The program picks the nearest one for the
# screen's scale instead of stretching a small one.
sizes=(16 20 24 32 40 48 64)

# grey PNG GREY: the greyed twin of a button picture, paler and with less contrast.
grey() {
  "${im[@]}" "$1" -channel RGB -colorspace Gray +level 38%,86% +channel -colorspace sRGB PNG32:"$2"
}

# bitmap DRAWING NORMAL DISABLED: the button picture and its greyed twin,
# 32x32 BMP3 on white.
bitmap() {
  local png="$work/$1.png" greyed="$work/$1-grey.png"
  render "$1" 32 "$png"
  grey "$png" "$greyed"
  onwhite "$png" "$out/$2"
  onwhite "$greyed" "$out/$3"
}

# strip SIZE DRAWINGS...: the toolbar's pictures side by side at one size,
# toolbar-SIZE.bmp and its greyed twin toolbar-SIZE-disabled.bmp; the image
# list cuts them into square pictures in this order.
strip() {
  local size=$1 name normal=() greyed=()
  shift
  for name in "$@"; do
    render "$name" "$size" "$work/$name-$size.png"
    grey "$work/$name-$size.png" "$work/$name-$size-grey.png"
    normal+=("$work/$name-$size.png")
    greyed+=("$work/$name-$size-grey.png")
  done
  "${im[@]}" "${normal[@]}" -background none +append +repage PNG32:"$work/strip.png"
  "${im[@]}" "${greyed[@]}" -background none +append +repage PNG32:"$work/strip-grey.png"
  onwhite "$work/strip.png" "$out/toolbar-$size.bmp"
  onwhite "$work/strip-grey.png" "$out/toolbar-$size-disabled.bmp"
}

# onwhite PNG BMP: soft edges blended towards the toolbar's face, pixels
# that are nearly see-through become the white of the mask, and the rest
# can never be white.
onwhite() {
  "${im[@]}" "$1" -background white -alpha off -fill white -colorize 100% \
    \( "$1" -background "$face" -flatten -fill '#FEFEFE' -opaque white \) \
    \( "$1" -alpha extract -threshold 22% \) \
    -composite -type TrueColor -strip BMP3:"$2"
}

# Icons hold every drawn size and 256 for large views.
icon app lanvoy.ico "${sizes[@]}" 256
icon profile profile.ico "${sizes[@]}" 256
icon shortcut shortcut.ico "${sizes[@]}" 256

bitmap apply      apply.bmp      apply-disabled.bmp
bitmap properties properties.bmp properties-disabled.bmp
bitmap new        new.bmp        new-disabled.bmp
bitmap edit       edit.bmp       edit-disabled.bmp
bitmap delete     delete.bmp     delete-disabled.bmp
bitmap copy       copy.bmp       copy-disabled.bmp
bitmap donate     donate.bmp     donate-disabled.bmp
bitmap about      about.bmp      about-disabled.bmp
bitmap help       help.bmp       help-disabled.bmp

# The toolbar's buttons, left to right.
for size in "${sizes[@]}"; do
  strip "$size" apply properties new edit delete donate about help
done
echo "drew the icons and bitmaps into $out"
