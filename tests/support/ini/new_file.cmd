write|Optics|Unit|1
write|Optics|Diameter|8
writedouble|Optics|FieldAng|0.5
get|Optics|Unit
