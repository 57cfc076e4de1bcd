10 if a<>b then print 'x: y':goto 30
20 print athens
30 rem skip; print 1
40 'another
