<CsoundSynthesizer>
<CsOptions>
</CsOptions>
<CsInstruments>
; Plucked: plucked strings struck at a steady rate.
; MIDI channel 1: controller 0 strikes per second, 1 pitch, 2 brightness, 3 volume.
sr = 44100
ksmps = 32
nchnls = 2
0dbfs = 1

initc7 1, 0, 0.3
initc7 1, 1, 0.3
initc7 1, 2, 0.5
initc7 1, 3, 0.5

instr 1
  krate ctrl7 1, 0, 0.5, 10
  kpitch ctrl7 1, 1, 80, 800
  ktrig metro krate
  schedkwhen ktrig, 0, 16, 2, 0, 2, kpitch
endin

instr 2
  kbright ctrl7 1, 2, 0, 1
  kvol ctrl7 1, 3, 0, 0.5
  asig pluck kvol, p4, p4, 0, 1
  alp tone asig, 500 + kbright * 8000
  kenv linseg 1, p3 - 0.05, 1, 0.05, 0
  outs alp * kenv, alp * kenv
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
