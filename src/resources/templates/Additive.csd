<CsoundSynthesizer>
<CsOptions>
</CsOptions>
<CsInstruments>
; Additive: an organ of eight partials, each with its own level.
; MIDI channel 1: controllers 0..7 the partials' levels, 8 the volume.
sr = 44100
ksmps = 32
nchnls = 2
0dbfs = 1

initc7 1, 0, 1
initc7 1, 1, 0.6
initc7 1, 2, 0.4
initc7 1, 3, 0.3
initc7 1, 4, 0.2
initc7 1, 5, 0.1
initc7 1, 6, 0.1
initc7 1, 7, 0.05
initc7 1, 8, 0.5
giSine ftgen 0, 0, 8192, 10, 1

instr 1
  k1 ctrl7 1, 0, 0, 1
  k2 ctrl7 1, 1, 0, 1
  k3 ctrl7 1, 2, 0, 1
  k4 ctrl7 1, 3, 0, 1
  k5 ctrl7 1, 4, 0, 1
  k6 ctrl7 1, 5, 0, 1
  k7 ctrl7 1, 6, 0, 1
  k8 ctrl7 1, 7, 0, 1
  kvol ctrl7 1, 8, 0, 0.5
  a1 oscili k1, p4, giSine
  a2 oscili k2, p4 * 2, giSine
  a3 oscili k3, p4 * 3, giSine
  a4 oscili k4, p4 * 4, giSine
  a5 oscili k5, p4 * 5, giSine
  a6 oscili k6, p4 * 6, giSine
  a7 oscili k7, p4 * 7, giSine
  a8 oscili k8, p4 * 8, giSine
  amix = (a1 + a2 + a3 + a4 + a5 + a6 + a7 + a8) * kvol / 4
  outs amix, amix
endin
</CsInstruments>
<CsScore>
#ifndef DUR
#define DUR #3600#
#end
i1 0 $DUR 130.81
e
</CsScore>
</CsoundSynthesizer>
