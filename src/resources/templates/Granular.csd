<CsoundSynthesizer>
<CsOptions>
</CsOptions>
<CsInstruments>
; Granular: a cloud of grains read from the voice sample Voice.wav.
; MIDI channel 1: controller 0 density, 1 grain size, 2 pitch, 3 volume.
sr = 44100
ksmps = 32
nchnls = 2
0dbfs = 1

initc7 1, 0, 0.3
initc7 1, 1, 0.4
initc7 1, 2, 0.33
initc7 1, 3, 0.5
giVoice ftgen 0, 0, 0, 1, "Voice.wav", 0, 0, 1
giWindow ftgen 0, 0, 8192, 20, 2, 1

instr 1
  kdens ctrl7 1, 0, 5, 100
  ksize ctrl7 1, 1, 0.01, 0.2
  kpitch ctrl7 1, 2, 0.5, 2
  kvol ctrl7 1, 3, 0, 0.5
  ilen = ftlen(giVoice)
  asig grain kvol * 0.4, kpitch * sr / ilen, kdens, 0.5, sr / ilen, ksize, giVoice, giWindow, 0.25
  outs asig, asig
endin
</CsInstruments>
<CsScore>
#ifndef DUR
#define DUR #3600#
#end
i1 0 $DUR
e
</CsScore>
</CsoundSynthesizer>
