get|Optics|Diameter
get| Optics |Diameter
sections
