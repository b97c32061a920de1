get|Optics|Unit
write|Optics|Type|3
get|Optics|Unit
get|Optics|Type
