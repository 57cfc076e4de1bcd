10 PRINT "Hello from atbasic"
20 FOR I=1 TO 5
30 PRINT I, I*I
40 NEXT I
