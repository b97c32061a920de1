get|Optics|Diameter
write|Optics|Diameter|8
get|Optics|Diameter
get|Optics|DiameterX
get|Optics|Diameter Old
