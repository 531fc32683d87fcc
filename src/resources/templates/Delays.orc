; Delays: the voice sample Voice.wav through two feedback delays.
; MIDI channel 1: controller 0 delay time, 1 feedback, 2 wet mix, 3 volume.
sr = 44100
ksmps = 32
nchnls = 2
0dbfs = 1

initc7 1, 0, 0.3
initc7 1, 1, 0.5
initc7 1, 2, 0.5
initc7 1, 3, 0.5
giVoice ftgen 0, 0, 0, 1, "Voice.wav", 0, 0, 1
gaLeft init 0
gaRight init 0

instr 1
  ktime ctrl7 1, 0, 0.05, 1
  kfeed ctrl7 1, 1, 0, 0.9
  kmix ctrl7 1, 2, 0, 1
  kvol ctrl7 1, 3, 0, 0.5
  ilen = ftlen(giVoice)
  adry lposcil 1, 1, 0, ilen - 1, giVoice
  atime interp ktime
  aleft vdelayx adry + gaLeft * kfeed, atime, 1, 4
  aright vdelayx adry + gaRight * kfeed, atime * 0.75, 1, 4
  gaLeft = aleft
  gaRight = aright
  outs (adry * (1 - kmix) + aleft * kmix) * kvol, (adry * (1 - kmix) + aright * kmix) * kvol
endin
