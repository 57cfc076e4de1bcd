10 PRINT "Ç†Ç¢"Å@:ÅFPRINT 1
