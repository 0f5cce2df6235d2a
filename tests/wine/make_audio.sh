#!/bin/sh
# The sound files of the playback library's Windows tests, made in the folder
# given: tones encoded with lame, and files that are no MP3.
set -eu
mkdir -p "$1"
cd "$1"
tone() {  # name rate channels seconds frequency [lame options...]
  sox -n -r "$2" -c "$3" -b 16 "$1.wav" synth "$4" sine "$5" vol 0.5
  name=$1
  shift 5
  lame --quiet "$@" "$name.wav" "$name.mp3"
  rm "$name.wav"
}
tone mono-440 44100 1 2 440 -b 128
tone stereo-880 48000 2 1.5 880 -b 192
tone mpeg2-330 22050 1 1 330 -b 64
tone id3v1-440 44100 1 1 440 -b 128 --id3v1-only --tt "Song" --ta "Band"
cp mono-440.mp3 "曲.mp3"
# Not MP3: a WAV file and a folder.
sox -R -n -r 44100 -c 1 -b 16 -t wav wave.mp3 synth 1 whitenoise
mkdir -p folder.mp3
