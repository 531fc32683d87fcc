<CsoundSynthesizer>
<CsOptions>
-d -W -o Voice.wav
</CsOptions>
<CsInstruments>
; The templates' sample: two seconds of a sung voice, a glottal pulse through the formants
; of "a" gliding to "o", with a little vibrato.
sr = 44100
ksmps = 32
nchnls = 1
0dbfs = 1

instr 1
  kvib oscili 3, 5.5
  kpitch linseg 196, p3 * 0.5, 220, p3 * 0.5, 196
  asrc buzz 0.6, kpitch + kvib, 40, 1
  kf1 linseg 800, p3, 500
  kf2 linseg 1150, p3, 800
  a1 reson asrc, kf1, 80, 1
  a2 reson asrc, kf2, 90, 1
  a3 reson asrc, 2900, 120, 1
  kenv linseg 0, 0.08, 1, p3 - 0.28, 1, 0.2, 0
  out (a1 + a2 * 0.5 + a3 * 0.25) * kenv * 16
endin
</CsInstruments>
<CsScore>
f1 0 8192 10 1
i1 0 2
e
</CsScore>
</CsoundSynthesizer>
