get|Optics|Note
get|Optics|Unit
write|Optics|Unit|2
get|Optics|Unit
