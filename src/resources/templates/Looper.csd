<CsoundSynthesizer>
<CsOptions>
</CsOptions>
<CsInstruments>
; Looper: the voice sample Voice.wav played as a loop at a variable speed.
; MIDI channel 1: controller 0 speed, 1 loop start, 2 loop length, 3 volume.
sr = 44100
ksmps = 32
nchnls = 2
0dbfs = 1

initc7 1, 0, 0.5
initc7 1, 1, 0
initc7 1, 2, 1
initc7 1, 3, 0.5
giVoice ftgen 0, 0, 0, 1, "Voice.wav", 0, 0, 1

instr 1
  kspeed ctrl7 1, 0, 0.25, 1.75
  kstart ctrl7 1, 1, 0, 0.9
  klength ctrl7 1, 2, 0.1, 1
  kvol ctrl7 1, 3, 0, 0.5
  ilen = ftlen(giVoice)
  kbeg = kstart * ilen
  kend = min(kbeg + klength * ilen, ilen - 1)
  asig lposcil kvol, kspeed, kbeg, kend, giVoice
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
