10 PRINT "Ç†Å@Ç¢"ÅFPRINTÅ@ 1
