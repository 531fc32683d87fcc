; FMBells: frequency modulation bells struck at a steady rate.
; MIDI channel 1: controller 0 ratio, 1 index, 2 strikes per second, 3 volume.
sr = 44100
ksmps = 32
nchnls = 2
0dbfs = 1

initc7 1, 0, 0.35
initc7 1, 1, 0.5
initc7 1, 2, 0.25
initc7 1, 3, 0.5
giSine ftgen 0, 0, 8192, 10, 1

instr 1
  krate ctrl7 1, 2, 0.2, 4
  ktrig metro krate
  kpick randh 4, krate, 2
  schedkwhen ktrig, 0, 8, 2, 0, 3, 220 * (1 + int(abs(kpick)) * 0.5)
endin

instr 2
  kratio ctrl7 1, 0, 1, 5
  kindex ctrl7 1, 1, 0, 10
  kvol ctrl7 1, 3, 0, 0.5
  kenv expseg 1, p3, 0.001
  a1 foscili kvol * kenv, p4, 1, kratio, kindex * kenv, giSine
  outs a1, a1
endin
