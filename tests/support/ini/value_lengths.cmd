int|Optics|A
int|Optics|B
get|Optics|B|257
