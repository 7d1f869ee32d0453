#!/usr/bin/env bash
# Draws the course's pictures with ImageMagick into data/course/Image:
# the speaker icons, the glossary's flowers and one skit picture per chapter
# (two people talking, the chapter's key sentence in the speech bubble).
# The pictures are committed; run this again after changing a skit line.
#   tools/coursegen/pictures.sh [IMAGE_DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
out=${1:-data/course/Image}
mkdir -p "$out"
font=DejaVu-Sans

# Speaker icons: a small one for buttons, a large one beside instructions.
speaker() {  # size file
  local s=$1 f=$2
  convert -size "${s}x${s}" xc:none -fill '#2E6B9E' \
    -draw "polygon $((s*15/100)),$((s*38/100)) $((s*35/100)),$((s*38/100)) $((s*58/100)),$((s*15/100)) $((s*58/100)),$((s*85/100)) $((s*35/100)),$((s*62/100)) $((s*15/100)),$((s*62/100))" \
    -fill none -stroke '#2E6B9E' -strokewidth $((s/14 + 1)) \
    -draw "arc $((s*50/100)),$((s*30/100)) $((s*80/100)),$((s*70/100)) -60,60" \
    -draw "arc $((s*48/100)),$((s*18/100)) $((s*95/100)),$((s*82/100)) -60,60" \
    "$out/$f"
}
speaker 24 speaker.gif
speaker 48 speaker_L.gif

# Flowers: five petals around a centre on a soft background, one colour each.
flower() {  # file petal background
  local f=$1 petal=$2 bg=$3 draw="" i
  for i in 0 72 144 216 288; do
    draw+="ellipse $((80 + $(python3 -c "import math;print(round(34*math.cos(math.radians($i))))"))),$((80 + $(python3 -c "import math;print(round(34*math.sin(math.radians($i))))"))) 30,30 0,360 "
  done
  convert -size 160x160 xc:"$bg" -fill '#6BA368' -draw "rectangle 77,100 83,160" \
    -fill "$petal" -stroke '#FFFFFF' -strokewidth 2 -draw "$draw" \
    -fill '#F6C945' -stroke none -draw "circle 80,80 80,98" -quality 85 "$out/$f"
}
colors=('#F28CA6' '#F6A04D' '#9B8CE0' '#5DB7DE' '#E86A6A' '#F2D14C' '#86C98A' '#D98CE0')
backs=('#FFF4F6' '#FFF6EC' '#F5F2FF' '#EEF8FD' '#FFF0F0' '#FFFBEA' '#F1FAF1' '#FBF1FD')
for i in 0 1 2 3 4 5 6 7; do flower "flower$i.jpg" "${colors[$i]}" "${backs[$i]}"; done
flower Flower1.jpg '#F28CA6' '#FFFDF5'

# Skits: chapter number and the key sentence of its skit; the conversation
# chapters 24 to 26 tell several skits, lettered a, b, c (L24a-skit.jpg ...).
skit() {  # chapter line [letter title]
  local n=$1 line=$2 letter=${3:-} title=${4:-}
  convert -size 400x260 gradient:'#CFE8FA'-'#FFFDF5' \
    -fill '#A8D5A2' -draw "rectangle 0,215 400,260" \
    -fill '#F7D9B5' -draw "circle 110,120 110,148" -draw "circle 290,120 290,148" \
    -fill '#2E6B9E' -draw "roundrectangle 80,150 140,215 18,18" \
    -fill '#E86A6A' -draw "roundrectangle 260,150 320,215 18,18" \
    -fill '#333333' -draw "circle 101,116 101,119" -draw "circle 119,116 119,119" \
    -draw "circle 281,116 281,119" -draw "circle 299,116 299,119" \
    -fill none -stroke '#333333' -strokewidth 2 -draw "arc 100,122 120,136 20,160" \
    -draw "arc 280,122 300,136 20,160" \
    -fill '#FFFFFF' -stroke '#888888' -draw "roundrectangle 20,14 380,70 14,14" \
    -draw "polygon 110,70 130,70 112,88" -stroke none -draw "rectangle 111,66 129,72" \
    -fill '#333333' -font "$font" -pointsize 18 -gravity north -annotate +0+32 "$line" \
    -gravity northwest -pointsize 14 -fill '#2E6B9E' -annotate +12+236 "Chapter $n${letter:+ Skit $letter: $title}" \
    -quality 85 "$out/L$(printf %02d "$n")$letter-skit.jpg"
}
skit 1 "Hello. I am Ken. Nice to meet you."
skit 2 "This is a pen. That is a desk."
skit 3 "You are a student. She is a teacher."
skit 4 "I like tennis. I play it every day."
skit 5 "I have two cats and three dogs."
skit 6 "Ken likes music. He plays the guitar."
skit 7 "This is my friend. I like her."
skit 8 "What is this? Where is your bag?"
skit 9 "What time is it? It is seven."
skit 10 "Let's play tennis. Yes, let's."
skit 11 "Can you swim? Yes, I can."
skit 12 "What are you doing? I am reading."
skit 13 "I played tennis yesterday."
skit 14 "I went to the park yesterday."
skit 15 "What were you doing then?"
skit 16 "I will visit my grandmother tomorrow."
skit 17 "May I come in? Yes, please."
skit 18 "There is a cat under the bench."
skit 19 "I want to visit Kyoto."
skit 20 "I enjoyed swimming in the sea."
skit 21 "Ken is taller than Tom."
skit 22 "English is spoken in Canada."
skit 23 "I have lived in Tokyo for ten years."
skit 27 "I have a friend who lives in Osaka."
skit 28 "Let's review what we learned!"

# The conversation skits: the first exchange of each (shortened to fit), one
# bubble per speaker.
talk() {  # chapter letter title first-line reply
  local n=$1 letter=$2 title=$3 first=$4 reply=$5
  convert -size 400x260 gradient:'#CFE8FA'-'#FFFDF5' \
    -fill '#A8D5A2' -draw "rectangle 0,235 400,260" \
    -fill '#F7D9B5' -draw "circle 110,140 110,168" -draw "circle 290,140 290,168" \
    -fill '#2E6B9E' -draw "roundrectangle 80,170 140,235 18,18" \
    -fill '#E86A6A' -draw "roundrectangle 260,170 320,235 18,18" \
    -fill '#333333' -draw "circle 101,136 101,139" -draw "circle 119,136 119,139" \
    -draw "circle 281,136 281,139" -draw "circle 299,136 299,139" \
    -fill none -stroke '#333333' -strokewidth 2 -draw "arc 100,142 120,156 20,160" \
    -draw "arc 280,142 300,156 20,160" \
    -fill '#FFFFFF' -stroke '#888888' -draw "roundrectangle 6,6 318,44 12,12" \
    -draw "polygon 96,44 114,44 106,68" -stroke none -draw "rectangle 97,40 113,46" \
    -stroke '#888888' -draw "roundrectangle 130,58 394,96 12,12" \
    -draw "polygon 276,96 294,96 290,110" -stroke none -draw "rectangle 277,92 293,98" \
    -fill '#333333' -font "$font" -pointsize 14 -gravity northwest \
    -annotate +16+16 "$first" -annotate +140+68 "$reply" \
    -pointsize 14 -fill '#2E6B9E' -annotate +12+240 "Chapter $n Skit $letter: $title" \
    -quality 85 "$out/L${n}${letter}-skit.jpg"
}
talk 24 a "At a clothes shop" "May I help you?" "Yes, I'm looking for a shirt."
talk 24 b "The price" "How much is this shirt?" "It's twenty dollars."
talk 24 c "A white hat" "What color would you like?" "I'd like a white one."
talk 25 a "The station" "Excuse me, how can I get to the station?" "Go straight and turn right."
talk 25 b "The library" "Could you tell me the way to the library?" "Sure, go along this street."
talk 25 c "Lost" "Excuse me, I'm lost." "Where do you want to go?"
talk 26 a "A table" "A table for two, please." "This way, please."
talk 26 b "Ordering" "Are you ready to order?" "I'd like a hamburger."
talk 26 c "The check" "Could I have the check, please?" "Sure, just a minute."
