sections
names|Optics
names|(null)
names|Other
names|Missing
