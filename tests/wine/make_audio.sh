#!/bin/sh
# The sound files the playback library's Windows tests read, made afresh in
# the folder given: tones encoded with lame, and files that are no MP3.
set -eu
out=$1
mkdir -p "$out"
cd "$out"

tone() {  # name rate channels seconds frequency [lame options...]
  name=$1 rate=$2 channels=$3 seconds=$4 frequency=$5
  shift 5
  sox -n -r "$rate" -c "$channels" -b 16 "$name.wav" synth "$seconds" sine "$frequency" vol 0.5
  lame --quiet "$@" "$name.wav" "$name.mp3"
  rm "$name.wav"
}

tone mono-440 44100 1 2 440 -b 128
tone stereo-880 48000 2 1.5 880 -b 192
tone mpeg2-330 22050 1 1 330 -b 64
tone id3v2-440 44100 1 1 440 -b 128 --id3v2-only --pad-id3v2-size 3000 --tt "Song" --ta "Band"
tone id3v1-440 44100 1 1 440 -b 128 --id3v1-only --tt "Song" --ta "Band"
cp mono-440.mp3 "曲.mp3"

# Not MP3: a WAV file, text, nothing, and a stream with a long hole of zeros.
sox -R -n -r 44100 -c 1 -b 16 wave.mp3.wav synth 1 whitenoise
mv wave.mp3.wav wave.mp3
printf 'just some text\r\n' > text.mp3
: > empty.mp3
head -c 20000 mono-440.mp3 > broken.mp3
head -c 5000 /dev/zero >> broken.mp3
tail -c +20001 mono-440.mp3 >> broken.mp3
mkdir -p folder.mp3
