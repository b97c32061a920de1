get|GR™áE|LNGE
write|grÖße|lÄnge|6
get|Größe|Länge
