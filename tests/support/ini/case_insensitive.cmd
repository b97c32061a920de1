get|Optics|Diameter
int|OPTICS|Unit
write|Optics|Diameter|10
get|Optics|Diameter
