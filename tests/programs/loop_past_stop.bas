10 REM A loop opened after STOP goes back to no line: its body runs once.
20 PRINT "A";STOP;FOR I=1 TO 3;PRINT I;NEXT I;PRINT "NOT AFTER NEXT"
30 PRINT "NEVER"
