get|Optics|Unit
get|Optics|LongValue|2047
write|Optics|Unit|2
get|Optics|Unit
