10 REM After STOP the line index lies past the last line; a subroutine called
20 REM there, or a loop opened there, comes back to no line and the run ends.
30 GOTO 100
40 PRINT "SUB"
50 RETURN
60 PRINT "NEVER"
100 PRINT "A";STOP;GOSUB 40;PRINT "NOT AFTER RETURN"
