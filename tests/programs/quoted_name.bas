10 PRINT "quoted"
