; Subtractive: a detuned sawtooth pair through a resonant low-pass filter.
; MIDI channel 1: controller 0 cutoff, 1 resonance, 2 detune, 3 volume.
sr = 44100
ksmps = 32
nchnls = 2
0dbfs = 1

initc7 1, 0, 0.5
initc7 1, 1, 0.3
initc7 1, 2, 0.2
initc7 1, 3, 0.5

instr 1
  kcut ctrl7 1, 0, 100, 8000
  kres ctrl7 1, 1, 0, 0.9
  kdet ctrl7 1, 2, 0, 10
  kvol ctrl7 1, 3, 0, 0.5
  kcut port kcut, 0.05
  a1 vco2 0.5, p4
  a2 vco2 0.5, p4 + kdet
  af moogladder (a1 + a2) * 0.5, kcut, kres
  af = af * kvol
  outs af, af
endin
