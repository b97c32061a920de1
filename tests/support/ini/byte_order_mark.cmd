get|Optics|Unit
sections
write|Optics|Unit|2
get|Optics|Unit
