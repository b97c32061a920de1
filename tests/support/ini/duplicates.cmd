get|Optics|Diameter
write|Optics|Diameter|3
get|Optics|Diameter
get|Optics|Unit
write|Optics|Unit|1
get|Optics|Unit
