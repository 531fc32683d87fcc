<CsoundSynthesizer>
<CsOptions>
</CsOptions>
<CsInstruments>
; Formants: the voice sample Voice.wav through a bank of three formant filters.
; MIDI channel 1: controllers 0..2 the formant frequencies, 3 their bandwidth, 4 volume.
sr = 44100
ksmps = 32
nchnls = 2
0dbfs = 1

initc7 1, 0, 0.4
initc7 1, 1, 0.3
initc7 1, 2, 0.5
initc7 1, 3, 0.3
initc7 1, 4, 0.5
giVoice ftgen 0, 0, 0, 1, "Voice.wav", 0, 0, 1

instr 1
  kf1 ctrl7 1, 0, 200, 1000
  kf2 ctrl7 1, 1, 800, 2500
  kf3 ctrl7 1, 2, 2000, 3500
  kbw ctrl7 1, 3, 20, 300
  kvol ctrl7 1, 4, 0, 0.5
  ilen = ftlen(giVoice)
  asrc lposcil 1, 1, 0, ilen - 1, giVoice
  a1 reson asrc, kf1, kbw, 1
  a2 reson asrc, kf2, kbw, 1
  a3 reson asrc, kf3, kbw, 1
  amix = (a1 + a2 * 0.7 + a3 * 0.4) * kvol * 4
  outs amix, amix
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
