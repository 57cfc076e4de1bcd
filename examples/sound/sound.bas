10 REM Sounds from the slots: run from this folder, where wav1.wav and wav2.wav lie.
20 PRINT "Background loop: BGM(2)"
30 A=BGM(2)
40 FOR I=1 TO 8
50 PRINT "Effect",#3,I
60 A=WAV(1)+WAIT(350)
70 IF I%4=0;A=WAV(1)+WAIT(120)+WAV(1)
80 NEXT I
90 A=BGM(-2)
100 PRINT "Loop stopped. A sound of the system: WAV(19)"
110 A=WAV(19)+WAIT(1500)
