write|Optics|Unit|(null)
write|Optics|Missing|(null)
get|Optics|Unit
get|Other|Unit
