#!/bin/sh
# Remakes the fuzzers' seed files: short WAV sounds by sox, a small MOD song
# by python3. Run from this folder.
set -e
sox -n -r 8000 -c 1 -b 8 -e unsigned-integer wav/pcm8_mono.wav synth 0.01 sine 440
sox -n -r 11025 -c 2 -b 16 -e signed-integer wav/pcm16_stereo.wav synth 0.01 square 300
sox -n -r 8000 -c 1 -e ms-adpcm wav/adpcm_mono.wav synth 0.02 sine 500
sox -n -r 8000 -c 2 -e ms-adpcm wav/adpcm_stereo.wav synth 0.02 sine 500
sox -n -r 8000 -c 1 -e a-law wav/alaw.wav synth 0.01 sine 440
sox -n -r 8000 -c 1 -e u-law wav/ulaw.wav synth 0.01 sine 440
sox -n -r 8000 -c 1 -e ima-adpcm wav/ima_adpcm.wav synth 0.02 sine 440
sox -n -r 8000 -c 1 -b 32 -e floating-point wav/float.wav synth 0.005 sine 440
python3 make_mod.py mod/two_channels.mod
