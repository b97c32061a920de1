get|(null)|top
get|Optics|top
write|(null)|added|yes
write|(null)|top|3
get|(null)|added
get|(null)|top
