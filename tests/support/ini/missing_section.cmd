write|Optics|Unit|1
write|Extra|Gone|(null)
get|Optics|Unit
