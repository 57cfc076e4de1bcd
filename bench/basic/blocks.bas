10 REM Block words: fill a block with a rising run, sort it down and up, search it.
20 S=0
30 FOR R=1 TO 200000
40 @(1)=R:Z=PUSH(1)+FULL(-50)+SORT(-50)
50 Z=PUSH(1)+SORT(50)+PUSH(1)+PUSH(50)
60 S=(S+FIND(R+R%49)*7+@(R%50+1))%1000003
70 Z=DROP+DROP+PUSH(1)+FULL(50)+POP
80 NEXT R
90 PRINT "CHECK",S
