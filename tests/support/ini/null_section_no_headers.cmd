write|(null)|c|3
write|(null)|a|
get|(null)|c
get|(null)|a
